#include "biorad/biorad_import.h"

#include "platform/menus.h"
#include "platform/services.h"

namespace qv {

namespace {
using K = ControlKind;
constexpr ControlSpec kControls[] = {
    {.kind = K::Canvas, .name = "Canvas1", .left = 10, .top = 10, .width = 283, .height = 283},
};
}  // namespace

Window4::Window4() {
    SetTitle(QStringLiteral("Import Biorad file"));
    SetResizeable(false);
    SetSize(303, 391);
    BuildControls(kControls, {});
    Canvas1 = ControlNamed<Canvas>(QStringLiteral("Canvas1"));
    AddMenuHandler(QStringLiteral("FileClose"), [this] { return _FileClose_Action(); });
    AddMenuHandler(QStringLiteral("FileSaveAs"), [this] { return _FileSaveAs_Action(); });
    AddMenuHandler(QStringLiteral("FileImportBioradPIC"),
                   [this] { return _FileImportBioradPIC_Action(); });
}

void Window4::Event_EnableMenuItems() {
    EnableItem(QStringLiteral("FileClose"));
    EnableItem(QStringLiteral("FileSaveAs"));
    EnableItem(QStringLiteral("FileImportBioradPIC"));
}

bool Window4::_FileClose_Action() {
    Close();
    return false;
}

bool Window4::_FileSaveAs_Action() {
    Platform().SetClipboardText(Title());
    if (merged) ExportPicture(merged);
    return false;
}

bool Window4::_FileImportBioradPIC_Action() {
    if (FolderItemPtr f = GetOpenFolderItem(QStringLiteral("image/biorad"))) Droppedonettan(f);
    return false;
}

void Window4::Droppedonettan(FolderItemPtr f) {
    if (!f) return;
    SetTitle(f->Name());
    taken.push_back(f);
}

}  // namespace qv
