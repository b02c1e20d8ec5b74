// Background handling.
#include "workspace/workspace_window.h"

namespace qv {

void Window1::PushButton7_Action() {}

void Window1::PushButton8_Action() {}

void Window1::CheckBox4_Action() {}

void Window1::PushButton2_Action() {}

void Window1::backgrhandl() {}

}  // namespace qv
