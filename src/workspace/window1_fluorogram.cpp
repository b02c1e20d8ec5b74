// Fluorogram build, views, history and redraw states.
#include "workspace/window1.h"

namespace qv {

void Window1::BevelButton1_Action() {}

void Window1::BevelButton4_Action() {}

void Window1::Timer1_Action() {}

void Window1::colorModemenu_Change() {}

void Window1::BevelButton2_Action() {}

void Window1::CheckBox1_Action() {}

}  // namespace qv
