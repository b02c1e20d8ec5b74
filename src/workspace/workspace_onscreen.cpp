// On-screen back-projection of a fluorogram region.
#include "platform/services.h"
#include "workspace/workspace_window.h"

namespace qv {

void Window1::PushButton5_Action() { onscreen(); }

void Window1::onscreen() {
    if (!poxc) return;
    if (BevelButton4->Value()) {
        MsgBox(QStringLiteral(
            "On-screen cannot be applied while in Memory mode. Restore the latest ROI by pressing "
            "the Memory button or draw a fresh ROI before On-screen."));
        return;
    }
}

void Window1::quadonscreen() {}

}  // namespace qv
