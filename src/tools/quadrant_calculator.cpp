#include "tools/quadrant_calculator.h"

#include "app/globals.h"
#include "platform/menus.h"
#include "platform/services.h"
#include "tools/core/quadrant_texts.h"
#include "tools/tool_exports.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {

using K = ControlKind;

constexpr Color kCountColour = RGB(0, 0, 153), kShareColour = RGB(153, 0, 0),
                kPercentColour = RGB(0, 51, 0);

// The grid's fields lie over the frame ImageWell1 draws; they are placed in the
// window, so that the disabled frame does not disable them too.

// clang-format off
constexpr ControlSpec kControls[] = {
    {.kind = K::ImageWell, .name = "ImageWell1", .left = 37, .top = 55, .width = 171, .height = 156,
     .enabled = false},
    {.kind = K::EditField, .name = "UL", .left = 49, .top = 68, .width = 60, .height = 22,
     .enabled = false, .hasColor = true, .color = kCountColour, .readOnly = true},
    {.kind = K::EditField, .name = "UR", .left = 135, .top = 68, .width = 60, .height = 22,
     .enabled = false, .hasColor = true, .color = kCountColour, .readOnly = true},
    {.kind = K::EditField, .name = "EditField3", .left = 220, .top = 68, .width = 60, .height = 22,
     .enabled = true, .hasColor = true, .color = kShareColour, .readOnly = true},
    {.kind = K::EditField, .name = "ULP", .left = 49, .top = 92, .width = 60, .height = 22,
     .enabled = true, .hasColor = true, .color = kPercentColour, .readOnly = true},
    {.kind = K::EditField, .name = "URP", .left = 135, .top = 92, .width = 60, .height = 22,
     .enabled = true, .hasColor = true, .color = kPercentColour, .readOnly = true},
    {.kind = K::EditField, .name = "EditField6", .left = 220, .top = 92, .width = 60, .height = 22,
     .visible = false, .enabled = false, .readOnly = true},
    {.kind = K::EditField, .name = "LL", .left = 49, .top = 151, .width = 60, .height = 22,
     .enabled = false, .hasColor = true, .color = kCountColour, .readOnly = true},
    {.kind = K::EditField, .name = "LR", .left = 135, .top = 151, .width = 60, .height = 22,
     .enabled = false, .hasColor = true, .color = kCountColour, .readOnly = true},
    {.kind = K::EditField, .name = "EditField9", .left = 135, .top = 27, .width = 60, .height = 22,
     .enabled = true, .hasColor = true, .color = kShareColour, .readOnly = true},
    {.kind = K::EditField, .name = "LLP", .left = 49, .top = 175, .width = 60, .height = 22,
     .enabled = true, .hasColor = true, .color = kPercentColour, .readOnly = true},
    {.kind = K::EditField, .name = "LRP", .left = 135, .top = 175, .width = 60, .height = 22,
     .enabled = true, .hasColor = true, .color = kPercentColour, .readOnly = true},
    {.kind = K::EditField, .name = "EditField12", .left = 220, .top = 175, .width = 60,
     .height = 22, .visible = false, .enabled = false, .readOnly = true},
    {.kind = K::EditField, .name = "EditField1", .left = 107, .top = 3, .width = 173, .height = 21,
     .events = "Open"},
    {.kind = K::StaticText, .name = "StaticText1", .left = 37, .top = 4, .width = 67, .height = 20,
     .text = "Sample ID:"},
    {.kind = K::BevelButton, .name = "BevelButton1", .left = 221, .top = 28, .width = 60,
     .height = 22, .text = "Save", .events = "Open,Action", .hasMenu = 2},
    {.kind = K::CheckBox, .name = "CheckBox1", .left = 177, .top = 214, .width = 116, .height = 27,
     .text = "Auto refresh", .events = "Action"},
    {.kind = K::StaticText, .name = "StaticText2", .left = 97, .top = 216, .width = 50,
     .height = 20, .align = 1},
    {.kind = K::StaticText, .name = "StaticText3", .left = 6, .top = 121, .width = 29, .height = 20,
     .bold = true, .hasColor = true, .color = RGB(51, 0, 153)},
};
// clang-format on

constexpr int kPictureWidth = 272, kPictureHeight = 229;

}  // namespace

Window2::Window2() {
    SetTitle(QStringLiteral("Quadrant calculator"));
    SetMinimumSize(64, 64);
    SetSize(305, 246);
    BuildControls(kControls, {
                                 QV_HANDLER(Window2, EditField1_Open),
                                 QV_HANDLER(Window2, CheckBox1_Action),
                                 QV_HANDLER(Window2, BevelButton1_Open),
                                 QV_HANDLER(Window2, BevelButton1_Action),
                             });
    auto field = [this](const char* n) { return ControlNamed<EditField>(QString::fromUtf8(n)); };
    auto text = [this](const char* n) { return ControlNamed<StaticText>(QString::fromUtf8(n)); };
    ImageWell1 = ControlNamed<ImageWell>(QStringLiteral("ImageWell1"));
    UL = field("UL");
    UR = field("UR");
    EditField3 = field("EditField3");
    ULP = field("ULP");
    URP = field("URP");
    EditField6 = field("EditField6");
    LL = field("LL");
    LR = field("LR");
    EditField9 = field("EditField9");
    LLP = field("LLP");
    LRP = field("LRP");
    EditField12 = field("EditField12");
    EditField1 = field("EditField1");
    StaticText1 = text("StaticText1");
    BevelButton1 = ControlNamed<BevelButton>(QStringLiteral("BevelButton1"));
    CheckBox1 = ControlNamed<CheckBox>(QStringLiteral("CheckBox1"));
    StaticText2 = text("StaticText2");
    StaticText3 = text("StaticText3");
    AddMenuHandler(QStringLiteral("FileClose"), [this] { return _FileClose_Action(); });
}

void Window2::Event_Open() { calculate(); }

void Window2::Event_Close() {
    // The flag lives in the workspace, reached as always through its accessor;
    // while the program quits no window is built for it.
    if (!Quitting()) Window1::instance()->calclive = false;
}

void Window2::Event_EnableMenuItems() { EnableItem(QStringLiteral("FileClose")); }

bool Window2::_FileClose_Action() {
    Close();
    return false;
}

void Window2::EditField1_Open() { EditField1->SetText(SampleIdOf(Window1::instance()->Title())); }

void Window2::CheckBox1_Action() { Window1::instance()->calclive = CheckBox1->Value(); }

void Window2::calculate() {
    std::array<std::int32_t, 4> counts{};
    for (size_t i = 0; i < counts.size() && i < Module1::iroi.size(); ++i)
        counts[i] = Module1::iroi[i];
    const QuadrantTexts t = QuadrantCalculatorTexts(counts);
    UL->SetText(t.UL);
    UR->SetText(t.UR);
    LL->SetText(t.LL);
    LR->SetText(t.LR);
    ULP->SetText(t.ULP);
    URP->SetText(t.URP);
    LLP->SetText(t.LLP);
    LRP->SetText(t.LRP);
    EditField3->SetText(t.upperRowShare);
    EditField9->SetText(t.rightColumnShare);
    // The window's focus; it does not bring the window forward.
    EditField1->setFocus(Qt::OtherFocusReason);
    const Window1* w = Window1::instance();
    StaticText2->SetText(w->StaticText2->Text());
    StaticText2->SetTextColor(w->StaticText2->TextColor());
    StaticText3->SetText(w->staticText1->Text());
    StaticText3->SetTextColor(w->staticText1->TextColor());
}

QuadrantTexts Window2::Shown() const {
    QuadrantTexts t;
    t.UL = UL->Text(), t.UR = UR->Text(), t.LL = LL->Text(), t.LR = LR->Text();
    t.ULP = ULP->Text(), t.URP = URP->Text(), t.LLP = LLP->Text(), t.LRP = LRP->Text();
    t.upperRowShare = EditField3->Text();
    t.rightColumnShare = EditField9->Text();
    return t;
}

void Window2::BevelButton1_Open() { BevelButton1->AddRowsFrom(QStringLiteral("As Image, As Excel sheet")); }

void Window2::BevelButton1_Action() {
    switch (BevelButton1->MenuValue()) {
        case 0: SaveImage(); break;
        case 1: SaveSheet(); break;
        default: break;
    }
}

void Window2::SaveImage() {
    ExportTextPicture(*this, kPictureWidth, kPictureHeight, false,
                      SampleIdOf(Window1::instance()->Title()));
}

void Window2::SaveSheet() {
    const FolderItemPtr f = GetSaveFolderItem(QStringLiteral("application/vnd.ms-excel"),
                                              QuadrantTableName(Window1::instance()->Title()));
    if (!f) return;
    SaveTable(*f, QuadrantTableLines(StaticText1->Text(), EditField1->Text(), Shown()));
}

}  // namespace qv
