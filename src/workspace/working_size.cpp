#include "workspace/working_size.h"

#include <algorithm>

namespace qv {

namespace {

// The width of the window beside its working area: the fluorogram and the
// controls.
constexpr int kBesideWorkingArea = 366;

}  // namespace

WorkingSize WorkingSizeFor(int pictureWidth, const QSize& area, const QMargins& chrome,
                           Intake intake) {
    const bool demo = intake == Intake::OpenDemo;
    const int a = demo ? 30 : 35;
    const int b = demo ? 30 : 25;
    int imgsize = std::min(pictureWidth, 1024);
    if (intake == Intake::FileOpen && imgsize < 256) imgsize = 256;
    const int h =
        std::min(std::max(600, area.height() - 50), area.height() - chrome.top() - chrome.bottom());
    if (h < imgsize + a) imgsize = h - a;
    const int roomWidth = area.width() - chrome.left() - chrome.right();
    if (roomWidth < imgsize + kBesideWorkingArea) imgsize = roomWidth - kBesideWorkingArea;
    imgsize = std::max(imgsize, 1);
    int can2size = imgsize;
    if (h < 2 * imgsize + b) can2size = h - b - imgsize;
    // A thumbnail of side 0 or less would make every later ROI picture empty.
    can2size = std::max(can2size, 1);
    return {imgsize, can2size, h};
}

WorkingSize WorkingSizeFor(int pictureWidth, int screenHeight, Intake intake) {
    return WorkingSizeFor(pictureWidth, QSize(1024 + kBesideWorkingArea, screenHeight), QMargins(),
                          intake);
}

int WorkspaceWidthFor(int imgsize) { return std::max(650, imgsize + kBesideWorkingArea); }

}  // namespace qv
