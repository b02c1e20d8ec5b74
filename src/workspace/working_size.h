#pragma once

#include <QMargins>
#include <QSize>

namespace qv {

// How an image enters the workspace; each way has its own sizing constants.
enum class Intake { FileOpen, Import, AfterDrop, OpenDemo };

struct WorkingSize {
    int imgsize;    // side of the square working area
    int can2size;   // side of the ROI thumbnail, at least 1
    int height;     // the available height H, also the window height
};

// The working size of a picture of the given width in the area windows may
// use (the screen less its panels), for a window that the desktop shows with
// `chrome` around its content (its frame, and the menu bar above): the width
// capped at 1024 (and raised to 256 for File > Open), then shrunk so that the
// working area and the thumbnail fit the available height
// H = max(600, area height - 50), and so that the window, chrome included,
// fits the area: H never takes more than the area's height leaves, and the
// window width max(650, imgsize + 366) never more than its width leaves.
WorkingSize WorkingSizeFor(int pictureWidth, const QSize& area, const QMargins& chrome,
                           Intake intake);
// The same on a screen of the given height, as wide as the window needs,
// with no frame around it.
WorkingSize WorkingSizeFor(int pictureWidth, int screenHeight, Intake intake);

// The window width makeview sets: max(650, imgsize + 366).
int WorkspaceWidthFor(int imgsize);

}  // namespace qv
