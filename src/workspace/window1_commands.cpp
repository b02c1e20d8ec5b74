// Workspace commands and menu handling.
#include "workspace/window1.h"

namespace qv {

void Window1::PushButton6_Action() {}

void Window1::Timer2_Action() {}

void Window1::BevelButton5_Action() {}

void Window1::BevelButton5_Open() {}

void Window1::PushButton9_Action() {}

}  // namespace qv
