// Picture and screen exports: the working picture, a snapshot of the window
// without its command controls, and the ROI box cut from the crop.
#include <QWidget>
#include <algorithm>
#include <array>

#include "platform/services.h"
#include "workspace/workspace_window.h"

namespace qv {

void Window1::savePix() {
    Platform().SetClipboardText(Title());
    ExportPicture(pix);  // before any image there is nothing to export
}

void Window1::savescreen() {
    PicturePtr shot = NewPicture(Width(), std::max(605, imgsize + 20), 32);
    PicturePtr full = NewPicture(Width(), Height(), 32);
    if (!shot || !full) return;
    const std::array<QWidget*, 10> commands = {Canvas2,      BevelButton1, BevelButton2, BevelButton3,
                                               BevelButton4, CheckBox1,    ImageWell1,   StaticText3,
                                               PushButton1,  PushButton6};
    std::array<bool, 10> shown{};
    for (size_t i = 0; i < commands.size(); ++i) {
        shown[i] = ControlVisible(commands[i]);
        commands[i]->setVisible(false);
    }
    DrawInto(full->Graphics(), 0, 0);
    // Each control as it was: one hidden by its page stays hidden.
    for (size_t i = 0; i < commands.size(); ++i) commands[i]->setVisible(shown[i]);
    update();
    shot->Graphics().DrawPicture(full, 0, 0);  // rows below the window stay white
    Platform().SetClipboardText(QStringLiteral("QV screen"));
    ExportPicture(shot);
}

bool Window1::_FileExportROI_Action() {
    if (PicturePtr cut = RoiBoxPicture()) ExportPicture(cut);
    return false;
}

}  // namespace qv
