// Fluorogram sections and quadrants.
#include "workspace/window1.h"

namespace qv {

bool Window1::Canvas3_MouseDown(int, int) { return false; }

void Window1::Canvas3_MouseDrag(int, int) {}

void Window1::Canvas3_MouseUp(int, int) {}

void Window1::Canvas3_Paint(Graphics&) {}

void Window1::BevelButton3_Action() {}

void Window1::quad_RB_Action() {}

void Window1::sections_RB_Action() {}

void Window1::PushButton4_Action() {}

void Window1::quadCalc_PB_Action() {}

void Window1::roi(int, int, int, int) {}

void Window1::calcroi(Graphics&, int, int) {}

void Window1::quad() {}

void Window1::calculator() {}

bool Window1::_FormatLoadquadrant_Action() { return false; }

bool Window1::_FormatSavequadrants_Action() { return false; }

}  // namespace qv
