// Image intake: loading the current frame.
#include "workspace/window1.h"

namespace qv {

void Window1::afterdrop() {
    // Loads fola(actualframe) as the working picture; the loading itself comes
    // with the image intake.
}

bool Window1::Canvas2_MouseDown(int, int) { return false; }

void Window1::ImageWell1_DropObject(const std::vector<FolderItemPtr>&) {}

void Window1::Slider1_ValueChanged() {}

void Window1::LittleArrows1_Up() {}

void Window1::LittleArrows1_Down() {}

void Window1::PushButton10_Action() {}

}  // namespace qv
