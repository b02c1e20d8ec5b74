// ROI drawing on the image canvas.
#include "workspace/window1.h"

namespace qv {

void Window1::Canvas1_MouseUp(int, int) {}

void Window1::Canvas1_MouseDrag(int, int) {}

bool Window1::Canvas1_MouseDown(int, int) { return false; }

void Window1::PushButton1_Action() {}

void Window1::Timer3_Action() {}

void Window1::RectROI_RB_Action() {}

void Window1::OvalRoi_RB_Action() {}

void Window1::polyRoi_RB_Action() {}

void Window1::ritacan(int, int, int, int) {}

void Window1::drawoval(int, int, int, int) {}

void Window1::drawpolygon() {}

}  // namespace qv
