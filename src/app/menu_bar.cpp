#include "app/menu_bar.h"

namespace qv {

namespace {

struct ItemRecord {
    const char* menu;  // name of the menu it belongs to
    const char* text;
    const char* shortcut;  // nullptr: none (and, for the separator, not set)
    const char* name;
    MenuKind kind;
    bool autoEnable;
};

struct MenuRecord {
    const char* text;
    const char* name;
};

constexpr MenuRecord kMenus[] = {
    {"File", "UntitledMenu5"},   {"Edit", "UntitledMenu3"}, {"Format", "UntitledMenu2"},
    {"Tools", "UntitledMenu1"}, {"Help", "UntitledMenu0"},
};

constexpr ItemRecord kItems[] = {
    {"UntitledMenu5", "New window", "Cmd+N", "FileNewwindow", MenuKind::Item, false},
    {"UntitledMenu5", "Open", "Cmd+O", "FileOpen", MenuKind::Item, false},
    {"UntitledMenu5", "Close", "Cmd+W", "FileClose", MenuKind::Item, false},
    {"UntitledMenu5", "Import Biorad PIC ", "Cmd+I", "FileImportBioradPIC", MenuKind::Item, false},
    {"UntitledMenu5", "Export ROI", "", "FileExportROI", MenuKind::Item, false},
    {"UntitledMenu5", "Save Screen..", "Cmd+S", "FileSaveAs", MenuKind::Item, false},
    {"UntitledMenu5", "Quit", "Cmd+Q", "FileQuit", MenuKind::Quit, true},
    {"UntitledMenu3", "Undo", "Cmd+Z", "EditUndo", MenuKind::Item, false},
    {"UntitledMenu3", "-", nullptr, "UntitledMenu4", MenuKind::Item, false},
    {"UntitledMenu3", "Cut", "Cmd+X", "EditCut", MenuKind::Item, false},
    {"UntitledMenu3", "Copy", "Cmd+C", "EditCopy", MenuKind::Item, false},
    {"UntitledMenu3", "Paste", "Cmd+V", "EditPaste", MenuKind::Item, false},
    {"UntitledMenu3", "Clear", "", "EditClear", MenuKind::Item, false},
    {"UntitledMenu2", "Load quadrants", "Cmd+L", "FormatLoadquadrant", MenuKind::Item, false},
    {"UntitledMenu2", "Save quadrants", "Cmd+K", "FormatSavequadrants", MenuKind::Item, false},
    {"UntitledMenu2", "Previous frame", "Cmd+<", "FormatPreviousframe", MenuKind::Item, false},
    {"UntitledMenu2", "Next frame", "Cmd+>", "FormatNextframe", MenuKind::Item, false},
    {"UntitledMenu1", "Montage", "Cmd+M", "ToolsMontage", MenuKind::Item, false},
    {"UntitledMenu1", "Areas", "", "ToolsAreas", MenuKind::Item, false},
    {"UntitledMenu1", "Analyze ROI", "", "ToolsAnalyzeROI", MenuKind::Item, false},
    {"UntitledMenu1", "Open demo image ", "Cmd+D", "ToolsOpendemoimage", MenuKind::Item, false},
    {"UntitledMenu0", "Online support", "", "HelpOnlinehelp", MenuKind::Item, false},
    {"UntitledMenu0", "Check updates", "", "HelpCheckupdates", MenuKind::Item, false},
    {"UntitledMenu0", "About Quorvane", "", "AppleAboutQuorvane", MenuKind::Apple, false},
};

}  // namespace

std::unique_ptr<MenuBar> BuildMenuBar() {
    auto bar = std::make_unique<MenuBar>();
    for (const MenuRecord& m : kMenus) {
        auto menu = std::make_unique<MenuItem>(MenuKind::Item);
        menu->Name = QString::fromUtf8(m.name);
        menu->AutoEnable = false;
        menu->Text = QString::fromUtf8(m.text);
        menu->KeyboardShortcut.clear();
        bar->Append(std::move(menu));
        for (const ItemRecord& r : kItems) {
            if (qstrcmp(r.menu, m.name) != 0) continue;
            auto item = std::make_unique<MenuItem>(r.kind);
            item->Name = QString::fromUtf8(r.name);
            item->AutoEnable = r.autoEnable;
            item->Text = QString::fromUtf8(r.text);
            if (r.shortcut) item->KeyboardShortcut = QString::fromUtf8(r.shortcut);
            bar->Child(QString::fromUtf8(r.menu))->Append(std::move(item));
        }
    }
    return bar;
}

}  // namespace qv
