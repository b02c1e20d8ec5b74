// Overlap coefficients.
#include "workspace/window1.h"

namespace qv {

void Window1::PushButton12_Action() {}

void Window1::coefficients() {}

}  // namespace qv
