#pragma once

namespace qv {

// How an image enters the workspace; each way has its own sizing constants.
enum class Intake { FileOpen, Import, AfterDrop, OpenDemo };

struct WorkingSize {
    int imgsize;    // side of the square working area
    int can2size;   // side of the ROI thumbnail, at least 1
    int height;     // the available height H, also the window height
};

// The working size of a picture of the given width on a screen of the given
// height: the width capped at 1024 (and raised to 256 for File > Open), then
// shrunk so that the working area and the thumbnail fit the available height
// H = max(600, screen height - 50).
WorkingSize WorkingSizeFor(int pictureWidth, int screenHeight, Intake intake);

// The window width makeview sets: max(650, imgsize + 366).
int WorkspaceWidthFor(int imgsize);

}  // namespace qv
