#include "workspace/working_size.h"

#include <algorithm>

namespace qv {

WorkingSize WorkingSizeFor(int pictureWidth, int screenHeight, Intake intake) {
    const bool demo = intake == Intake::OpenDemo;
    const int a = demo ? 30 : 35;
    const int b = demo ? 30 : 25;
    int imgsize = std::min(pictureWidth, 1024);
    if (intake == Intake::FileOpen && imgsize < 256) imgsize = 256;
    const int h = std::max(600, screenHeight - 50);
    if (h < imgsize + a) imgsize = h - a;
    int can2size = imgsize;
    if (h < 2 * imgsize + b) can2size = h - b - imgsize;
    // A thumbnail of side 0 or less would make every later ROI picture empty.
    can2size = std::max(can2size, 1);
    return {imgsize, can2size, h};
}

int WorkspaceWidthFor(int imgsize) { return std::max(650, imgsize + 366); }

}  // namespace qv
