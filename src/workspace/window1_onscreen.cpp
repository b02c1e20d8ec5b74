// On-screen back-projection of a fluorogram region.
#include "workspace/window1.h"

namespace qv {

void Window1::PushButton5_Action() {}

void Window1::onscreen() {}

void Window1::quadonscreen() {}

}  // namespace qv
