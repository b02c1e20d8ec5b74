// Single-channel histogram and its table.
#include "workspace/workspace_window.h"

namespace qv {

void Window1::CheckBox3_Action() {}

void Window1::histoRed_RB_Action() {}

void Window1::histoGreen_RB_Action() {}

void Window1::histoBlue_RB_Action() {}

void Window1::CheckBox2_Action() {}

void Window1::PushButton3_Action() {}

void Window1::histocalc() {}

void Window1::histodraw() {}

void Window1::histosave() {}

}  // namespace qv
