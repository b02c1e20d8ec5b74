// Fluorogram build, views, history and redraw states.
#include "workspace/window1.h"

namespace qv {

void Window1::BevelButton1_Action() {}

void Window1::BevelButton4_Action() {}

void Window1::Timer1_Action() {}

void Window1::colorModemenu_Change() {}

void Window1::BevelButton2_Action() {}

void Window1::CheckBox1_Action() {}

void Window1::setColorMode(const QString&) {}

void Window1::cropcolorrg() {}

void Window1::cropcolorbr() {}

void Window1::cropcolorbg() {}

void Window1::rita3() {}

void Window1::shuffle() {}

void Window1::ritatrean() {}

}  // namespace qv
