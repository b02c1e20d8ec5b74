// Window4: the Bio-Rad PIC import window.
#pragma once

#include "platform/canvas.h"
#include "platform/folderitem.h"
#include "platform/window.h"

namespace qv {

// "Import Biorad file": reads PIC stacks and hands the picture to the workspace.
class Window4 : public Window, public SingleInstance<Window4> {
    Q_OBJECT
public:
    Window4();

    void Event_EnableMenuItems() override;
    bool _FileClose_Action();
    bool _FileSaveAs_Action();
    bool _FileImportBioradPIC_Action();
    // Takes one PIC file and shows it in this window.
    void Droppedonettan(FolderItemPtr f);

    Canvas* Canvas1 = nullptr;
    PicturePtr merged;                 // the window's merged picture
    std::vector<FolderItemPtr> taken;  // files handed over, in order
};

}  // namespace qv
