#include "tools/coefficient_window.h"

#include "platform/menus.h"
#include "platform/services.h"
#include "tools/core/coefficient_sheet.h"
#include "tools/tool_exports.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {

using K = ControlKind;

constexpr Color kRed = RGB(127, 0, 0), kGreen = RGB(0, 127, 0), kBlue = RGB(0, 0, 127);

// clang-format off
constexpr ControlSpec kControls[] = {
    {.kind = K::StaticText, .name = "StaticText1", .left = 57, .top = 29, .width = 98, .height = 36,
     .text = "co-localizes with", .align = 1, .multiline = true},
    {.kind = K::StaticText, .name = "StaticText2", .left = 20, .top = 60, .width = 41, .height = 20,
     .text = "Red", .hasColor = true, .color = kRed},
    {.kind = K::StaticText, .name = "StaticText3", .left = 92, .top = 60, .width = 41, .height = 20,
     .text = "Green", .hasColor = true, .color = kGreen},
    {.kind = K::StaticText, .name = "StaticText4", .left = 20, .top = 85, .width = 41, .height = 20,
     .text = "Red", .hasColor = true, .color = kRed},
    {.kind = K::StaticText, .name = "StaticText5", .left = 92, .top = 85, .width = 41, .height = 20,
     .text = "Blue", .hasColor = true, .color = kBlue},
    {.kind = K::StaticText, .name = "StaticText6", .left = 20, .top = 130, .width = 41,
     .height = 20, .text = "Green", .hasColor = true, .color = kGreen},
    {.kind = K::StaticText, .name = "StaticText7", .left = 20, .top = 155, .width = 41,
     .height = 20, .text = "Green", .hasColor = true, .color = kGreen},
    {.kind = K::StaticText, .name = "StaticText10", .left = 92, .top = 130, .width = 41,
     .height = 20, .text = "Red", .hasColor = true, .color = kRed},
    {.kind = K::StaticText, .name = "StaticText11", .left = 92, .top = 195, .width = 41,
     .height = 20, .text = "Red", .hasColor = true, .color = kRed},
    {.kind = K::StaticText, .name = "StaticText12", .left = 92, .top = 155, .width = 41,
     .height = 20, .text = "Blue", .hasColor = true, .color = kBlue},
    {.kind = K::StaticText, .name = "StaticText13", .left = 92, .top = 220, .width = 41,
     .height = 20, .text = "Green", .hasColor = true, .color = kGreen},
    {.kind = K::StaticText, .name = "StaticText14", .left = 20, .top = 220, .width = 41,
     .height = 20, .text = "Blue", .hasColor = true, .color = kBlue},
    {.kind = K::StaticText, .name = "StaticText8", .left = 20, .top = 195, .width = 41,
     .height = 20, .text = "Blue", .hasColor = true, .color = kBlue},
    {.kind = K::EditField, .name = "EditField1", .left = 168, .top = 59, .width = 80, .height = 22,
     .readOnly = true},
    {.kind = K::EditField, .name = "EditField2", .left = 168, .top = 84, .width = 80, .height = 22,
     .readOnly = true},
    {.kind = K::EditField, .name = "EditField3", .left = 168, .top = 129, .width = 80, .height = 22,
     .readOnly = true},
    {.kind = K::EditField, .name = "EditField4", .left = 168, .top = 154, .width = 80, .height = 22,
     .readOnly = true},
    {.kind = K::EditField, .name = "EditField5", .left = 168, .top = 194, .width = 80, .height = 22,
     .readOnly = true},
    {.kind = K::EditField, .name = "EditField6", .left = 168, .top = 219, .width = 80, .height = 22,
     .readOnly = true},
    {.kind = K::StaticText, .name = "StaticText9", .left = 253, .top = 33, .width = 39,
     .height = 21, .text = "n", .align = 1, .multiline = true},
    {.kind = K::StaticText, .name = "StaticText15", .left = 253, .top = 59, .width = 39,
     .height = 21, .text = "n", .align = 1, .multiline = true},
    {.kind = K::StaticText, .name = "StaticText16", .left = 253, .top = 84, .width = 39,
     .height = 21, .text = "n", .align = 1, .multiline = true},
    {.kind = K::StaticText, .name = "StaticText17", .left = 253, .top = 129, .width = 39,
     .height = 21, .text = "n", .align = 1, .multiline = true},
    {.kind = K::StaticText, .name = "StaticText18", .left = 253, .top = 154, .width = 39,
     .height = 21, .text = "n", .align = 1, .multiline = true},
    {.kind = K::StaticText, .name = "StaticText19", .left = 253, .top = 194, .width = 39,
     .height = 21, .text = "n", .align = 1, .multiline = true},
    {.kind = K::StaticText, .name = "StaticText20", .left = 253, .top = 219, .width = 39,
     .height = 21, .text = "n", .align = 1, .multiline = true},
    {.kind = K::CheckBox, .name = "CheckBox1", .left = 28, .top = 260, .width = 114, .height = 31,
     .text = "Auto refresh", .events = "Action"},
    {.kind = K::BevelButton, .name = "BevelButton1", .left = 168, .top = 260, .width = 80,
     .height = 22, .text = "Save", .events = "Open,Action", .hasMenu = 2},
    {.kind = K::EditField, .name = "EditField7", .left = 96, .top = 3, .width = 152, .height = 22},
    {.kind = K::StaticText, .name = "StaticText21", .left = 20, .top = 4, .width = 73, .height = 21,
     .text = "Sample ID:"},
    {.kind = K::CheckBox, .name = "CheckBox2", .left = 28, .top = 243, .width = 128, .height = 20,
     .text = "Quadrant mask", .events = "Action"},
};
// clang-format on

// The labels of the six rows, X then Y, in the rows' order.
constexpr const char* kRowLabels[6][2] = {
    {"StaticText2", "StaticText3"},  {"StaticText4", "StaticText5"},
    {"StaticText6", "StaticText10"}, {"StaticText7", "StaticText12"},
    {"StaticText8", "StaticText11"}, {"StaticText14", "StaticText13"},
};

}  // namespace

Window6::Window6() {
    SetTitle(QStringLiteral("Pearson's co-efficients"));
    SetMinimumSize(64, 64);
    SetSize(300, 300);
    BuildControls(kControls, {
                                 QV_HANDLER(Window6, CheckBox1_Action),
                                 QV_HANDLER(Window6, CheckBox2_Action),
                                 QV_HANDLER(Window6, BevelButton1_Open),
                                 QV_HANDLER(Window6, BevelButton1_Action),
                             });
    auto edit = [this](const char* n) { return ControlNamed<EditField>(QString::fromUtf8(n)); };
    auto text = [this](const char* n) { return ControlNamed<StaticText>(QString::fromUtf8(n)); };
    EditField1 = edit("EditField1");
    EditField2 = edit("EditField2");
    EditField3 = edit("EditField3");
    EditField4 = edit("EditField4");
    EditField5 = edit("EditField5");
    EditField6 = edit("EditField6");
    EditField7 = edit("EditField7");
    StaticText15 = text("StaticText15");
    StaticText16 = text("StaticText16");
    StaticText17 = text("StaticText17");
    StaticText18 = text("StaticText18");
    StaticText19 = text("StaticText19");
    StaticText20 = text("StaticText20");
    CheckBox1 = ControlNamed<CheckBox>(QStringLiteral("CheckBox1"));
    CheckBox2 = ControlNamed<CheckBox>(QStringLiteral("CheckBox2"));
    BevelButton1 = ControlNamed<BevelButton>(QStringLiteral("BevelButton1"));
    fields = {EditField1, EditField2, EditField3, EditField4, EditField5, EditField6};
    counts = {StaticText15, StaticText16, StaticText17, StaticText18, StaticText19, StaticText20};
    AddMenuHandler(QStringLiteral("FileClose"), [this] { return _FileClose_Action(); });
}

void Window6::Event_Open() {
    // The flag outlives the window: a new window shows it as it stands.
    if (const Window1* w = Window1::existing(); w && w->coefflive) CheckBox1->SetValue(true);
}

void Window6::Event_EnableMenuItems() { EnableItem(QStringLiteral("FileClose")); }

bool Window6::_FileClose_Action() {
    Close();
    return false;
}

void Window6::CheckBox1_Action() { Window1::instance()->coefflive = CheckBox1->Value(); }

void Window6::CheckBox2_Action() {
    Window1::instance()->coefficients();
    Show();
}

void Window6::BevelButton1_Open() {
    BevelButton1->SetCaption(QStringLiteral("Save"));
    BevelButton1->SetCaptionAlign(0);
    BevelButton1->SetHasMenu(2);
    BevelButton1->AddRowsFrom(QStringLiteral("As Excel sheet,In last sheet,As picture,"));
}

void Window6::BevelButton1_Action() {
    switch (BevelButton1->MenuValue()) {
        case 0: SaveNewSheet(); break;
        case 1: AppendToSheet(); break;
        case 2: SavePicture(); break;
        default: break;
    }
}

CoefficientSheet Window6::Sheet() const {
    auto text = [this](const char* n) {
        return ControlNamed<StaticText>(QString::fromUtf8(n))->Text();
    };
    CoefficientSheet s;
    s.sampleLabel = text("StaticText21");
    s.sampleId = EditField7->Text();
    s.header = text("StaticText1");
    s.countHeader = text("StaticText9");
    for (size_t i = 0; i < s.rows.size(); ++i)
        s.rows[i] = {text(kRowLabels[i][0]), text(kRowLabels[i][1]), fields[i]->Text(),
                     counts[i]->Text()};
    return s;
}

void Window6::SaveNewSheet() {
    const Window1* w = Window1::instance();
    const FolderItemPtr chosen = GetSaveFolderItem(QStringLiteral("application/excel"),
                                                   CoefficientSheetName(w->Title(), w->colormode));
    if (!chosen) return;
    FolderItemPtr f = chosen;
    const QString name = WithSheetExtension(chosen->Name());
    if (name != chosen->Name()) {
        // The dialog asked about the name as chosen, not about this one.
        f = chosen->Parent()->Child(name);
        if (f->Exists() &&
            !Confirm(QStringLiteral("\"%1\" already exists. Do you want to replace it?").arg(name),
                     QStringLiteral("Replace")))
            return;
    }
    SaveTable(*f, CoefficientSheetLines(Sheet()));
}

void Window6::AppendToSheet() {
    const FolderItemPtr f = GetOpenFolderItem(QStringLiteral("application/excel"));
    if (!f) return;
    AppendToTable(*f, CoefficientSheetLines(Sheet()));
}

void Window6::SavePicture() {
    const Window1* w = Window1::instance();
    ExportTextPicture(*this, Width(), Height(), true,
                      CoefficientClipboardLabel(w->colormode, w->Title()));
}

}  // namespace qv
