#include "montage/montage_setup.h"

#include <QIcon>
#include <QPixmap>

#include "app/resources.h"
#include "montage/core/montage_layout.h"
#include "montage/montage_window.h"
#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/menus.h"
#include "platform/services.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {

using K = ControlKind;

constexpr const char* kChannelRows = "\nRed\nGreen\nBlue";
constexpr const char* kModeRows = "\nGray\nColor\nPhase";

// clang-format off
constexpr ControlSpec kControls[] = {
    {.kind = K::TabPanel, .name = "TabPanel1", .left = 11, .top = 10, .width = 292, .height = 153,
     .rows = "Layout\nChannels", .value = 0, .locks = ""},
    // "Layout": the row diagram, the grid diagram and a radio button under each.
    {.kind = K::Rectangle, .name = "Rectangle2", .left = 79, .top = 83, .width = 15, .height = 15,
     .page = 1, .parent = "TabPanel1", .locks = ""},
    {.kind = K::Rectangle, .name = "Rectangle3", .left = 99, .top = 83, .width = 15, .height = 15,
     .page = 1, .parent = "TabPanel1", .locks = ""},
    {.kind = K::Rectangle, .name = "Rectangle4", .left = 118, .top = 83, .width = 15, .height = 15,
     .page = 1, .parent = "TabPanel1", .locks = ""},
    {.kind = K::StaticText, .name = "StaticText1", .left = 79, .top = 81, .width = 15, .height = 20,
     .page = 1, .parent = "TabPanel1", .text = "1", .locks = ""},
    {.kind = K::StaticText, .name = "StaticText2", .left = 99, .top = 81, .width = 15, .height = 20,
     .page = 1, .parent = "TabPanel1", .text = "2", .locks = ""},
    {.kind = K::RadioButton, .name = "RadioButton1", .left = 99, .top = 120, .width = 30,
     .height = 20, .page = 1, .parent = "TabPanel1", .value = 1, .locks = "", .events = "Action",
     .group = "layout"},
    {.kind = K::Rectangle, .name = "Rectangle5", .left = 194, .top = 78, .width = 15, .height = 15,
     .page = 1, .parent = "TabPanel1", .locks = ""},
    {.kind = K::Rectangle, .name = "Rectangle6", .left = 213, .top = 78, .width = 15, .height = 15,
     .page = 1, .parent = "TabPanel1", .locks = ""},
    {.kind = K::Rectangle, .name = "Rectangle7", .left = 194, .top = 97, .width = 15, .height = 15,
     .page = 1, .parent = "TabPanel1", .locks = ""},
    {.kind = K::Rectangle, .name = "Rectangle8", .left = 213, .top = 97, .width = 15, .height = 15,
     .page = 1, .parent = "TabPanel1", .locks = ""},
    {.kind = K::StaticText, .name = "StaticText3", .left = 194, .top = 77, .width = 15,
     .height = 20, .page = 1, .parent = "TabPanel1", .text = "1", .locks = ""},
    {.kind = K::StaticText, .name = "StaticText4", .left = 213, .top = 77, .width = 15,
     .height = 20, .page = 1, .parent = "TabPanel1", .text = "2", .locks = ""},
    {.kind = K::StaticText, .name = "StaticText5", .left = 194, .top = 96, .width = 15,
     .height = 20, .page = 1, .parent = "TabPanel1", .text = "3", .locks = ""},
    {.kind = K::RadioButton, .name = "RadioButton2", .left = 201, .top = 120, .width = 35,
     .height = 20, .page = 1, .parent = "TabPanel1", .value = 0, .locks = "", .events = "Action",
     .group = "layout"},
    // "Channels": a numbered column per panel with its channel and mode.
    {.kind = K::Rectangle, .name = "Rectangle1", .left = 63, .top = 68, .width = 23, .height = 22,
     .page = 2, .parent = "TabPanel1", .locks = ""},
    {.kind = K::StaticText, .name = "StaticText6", .left = 70, .top = 69, .width = 18, .height = 22,
     .page = 2, .parent = "TabPanel1", .text = "1", .locks = ""},
    {.kind = K::Rectangle, .name = "Rectangle9", .left = 146, .top = 68, .width = 23, .height = 22,
     .page = 2, .parent = "TabPanel1", .locks = ""},
    {.kind = K::StaticText, .name = "StaticText7", .left = 153, .top = 69, .width = 18,
     .height = 22, .page = 2, .parent = "TabPanel1", .text = "2", .locks = ""},
    {.kind = K::Rectangle, .name = "Rectangle10", .left = 231, .top = 68, .width = 23, .height = 22,
     .page = 2, .parent = "TabPanel1", .locks = ""},
    {.kind = K::StaticText, .name = "StaticText8", .left = 238, .top = 69, .width = 18,
     .height = 22, .page = 2, .parent = "TabPanel1", .text = "3", .locks = ""},
    {.kind = K::PopupMenu, .name = "PopupMenu1", .left = 42, .top = 97, .width = 70, .height = 20,
     .page = 2, .parent = "TabPanel1", .rows = kChannelRows, .value = 0, .locks = "",
     .events = "Change"},
    {.kind = K::PopupMenu, .name = "PopupMenu2", .left = 127, .top = 97, .width = 70, .height = 20,
     .page = 2, .parent = "TabPanel1", .rows = kChannelRows, .value = 0, .locks = "",
     .events = "Change"},
    {.kind = K::PopupMenu, .name = "PopupMenu3", .left = 213, .top = 97, .width = 70, .height = 20,
     .page = 2, .parent = "TabPanel1", .rows = kChannelRows, .enabled = false, .value = 0,
     .locks = "", .events = "Change"},
    {.kind = K::PopupMenu, .name = "PopupMenu4", .left = 42, .top = 129, .width = 70, .height = 20,
     .page = 2, .parent = "TabPanel1", .rows = kModeRows, .value = 0, .locks = "",
     .events = "Change"},
    {.kind = K::PopupMenu, .name = "PopupMenu5", .left = 127, .top = 128, .width = 70, .height = 20,
     .page = 2, .parent = "TabPanel1", .rows = kModeRows, .value = 0, .locks = "",
     .events = "Change"},
    {.kind = K::PopupMenu, .name = "PopupMenu6", .left = 213, .top = 129, .width = 70, .height = 20,
     .page = 2, .parent = "TabPanel1", .rows = kModeRows, .enabled = false, .value = 0, .locks = "",
     .events = "Change"},
    // The marker tools, Update and Save.
    {.kind = K::BevelButton, .name = "BevelButton3", .left = 20, .top = 175, .width = 21,
     .height = 21, .locks = "", .events = "Action"},
    {.kind = K::BevelButton, .name = "BevelButton4", .left = 47, .top = 175, .width = 21,
     .height = 21, .locks = "", .events = "Action"},
    {.kind = K::BevelButton, .name = "BevelButton5", .left = 74, .top = 175, .width = 21,
     .height = 21, .locks = "", .events = "Action"},
    {.kind = K::BevelButton, .name = "BevelButton2", .left = 141, .top = 176, .width = 60,
     .height = 22, .text = "Update", .locks = "", .events = "Action"},
    {.kind = K::BevelButton, .name = "BevelButton1", .left = 213, .top = 176, .width = 60,
     .height = 22, .text = "Save", .locks = "", .events = "Action"},
};
// clang-format on

constexpr const char* kPopups[] = {"PopupMenu1", "PopupMenu2", "PopupMenu3",
                                   "PopupMenu4", "PopupMenu5", "PopupMenu6"};

const QString kNoPicture = QStringLiteral("No picture is available!");

}  // namespace

Window10::Window10() {
    SetTitle(QStringLiteral("Montage setup"));
    SetMinimumSize(64, 64);
    SetFrameButtons(true, false, false);
    SetSize(316, 202);
    BuildControls(kControls, {
                                 QV_HANDLER(Window10, PopupMenu1_Change),
                                 QV_HANDLER(Window10, PopupMenu2_Change),
                                 QV_HANDLER(Window10, PopupMenu3_Change),
                                 QV_HANDLER(Window10, PopupMenu4_Change),
                                 QV_HANDLER(Window10, PopupMenu5_Change),
                                 QV_HANDLER(Window10, PopupMenu6_Change),
                                 QV_HANDLER(Window10, RadioButton1_Action),
                                 QV_HANDLER(Window10, RadioButton2_Action),
                                 QV_HANDLER(Window10, BevelButton1_Action),
                                 QV_HANDLER(Window10, BevelButton2_Action),
                                 QV_HANDLER(Window10, BevelButton3_Action),
                                 QV_HANDLER(Window10, BevelButton4_Action),
                                 QV_HANDLER(Window10, BevelButton5_Action),
                             });
    for (int i = 1; i <= 10; ++i) {
        auto* r = ControlNamed<RectangleControl>(QStringLiteral("Rectangle") + QString::number(i));
        r->Filled = true;
        r->FillColor = i == 10 ? RGB(229, 229, 229) : kWhite;
        if (i == 4 || i == 8) r->BorderWidth = 2;  // the merge's cells
    }
    const struct {
        const char* button;
        PicturePtr icon;
    } tools[] = {{"BevelButton3", yelCursIcon()},
                 {"BevelButton4", arrowBlackIcon()},
                 {"BevelButton5", arrowWhiteIcon()}};
    for (const auto& t : tools) {
        auto* b = ControlNamed<BevelButton>(QString::fromUtf8(t.button));
        if (!t.icon) continue;
        b->setIcon(QIcon(QPixmap::fromImage(t.icon->Image())));
        b->setIconSize(QSize(t.icon->Width(), t.icon->Height()));
    }
    AddMenuHandler(QStringLiteral("EditCopy"), [this] { return _EditCopy_Action(); });
    AddMenuHandler(QStringLiteral("FileSaveAs"), [this] { return _FileSaveAs_Action(); });
    AddMenuHandler(QStringLiteral("FileClose"), [this] { return _FileClose_Action(); });
}

void Window10::Event_Open() {
    // Placed before it shows, at the screen's top left: there the montage
    // docked under it has the most room.
    const QRect area = Platform().AvailableArea(FrameRect());
    if (!area.isEmpty()) {
        SetLeft(area.left() + Chrome().left());
        SetTop(area.top() + Chrome().top());
    }
    Window1* w = Window1::instance();
    // A copy: nothing drawn into the workspace's crop can reach the cached logo.
    if (!w->poxc) {
        if (PicturePtr logo = QVlogga128()) w->poxc = PictureFromImage(logo->Image());
    }
    startup();
    nodefaultset();
}

// Cuts the ROI out 1:1 into five new pictures and lays the montage out.
void Window10::startup() {
    Window1* w = Window1::instance();
    const PicturePtr source = w->poxc ? w->poxc : QVlogga128();
    const QSize crop = source ? QSize(source->Width(), source->Height()) : QSize(0, 0);
    const QSize size = MontagePanelSize(w->msdownx, w->msdowny, w->msupx, w->msupy, crop);
    vidd = size.width();
    hojd = size.height();
    for (PicturePtr& p : pic) p = NewPicture(vidd, hojd, 32);
    if (pic[0]) pic[0]->Graphics().DrawPicture(source, 0, 0, vidd, hojd, w->msdownx, w->msdowny,
                                               vidd, hojd);
    Window7* montage = Window7::instance();
    for (int k = 1; k <= 4; ++k) montage->Panel(k)->resize(vidd, hojd);
    SetControlLeft(montage->Panel(2), vidd + 20);
    if (fourmodetrue) fourmode();
    else threemode();
}

void Window10::nodefaultset() {
    for (const char* name : kPopups) ControlNamed<PopupMenu>(QString::fromUtf8(name))->hide();
    if (const auto channels = DefaultChannels(Window1::instance()->colormode)) {
        for (int k = 0; k < 3; ++k)
            ControlNamed<PopupMenu>(QString::fromUtf8(kPopups[k]))->SetListIndex((*channels)[k]);
    }
    for (int k = 3; k < 6; ++k)
        ControlNamed<PopupMenu>(QString::fromUtf8(kPopups[k]))->SetListIndex(kModeGray);
    for (const char* name : kPopups) ControlNamed<PopupMenu>(QString::fromUtf8(name))->show();
    Window7::instance()->update();
}

void Window10::ApplyLayout(bool four) {
    const MontageLayout l = four ? FourModeLayout(vidd, hojd) : ThreeModeLayout(vidd, hojd);
    Window7* montage = Window7::instance();
    Canvas* panel3 = montage->Panel(3);
    SetControlLeft(panel3, l.canvas3.x());
    SetControlTop(panel3, l.canvas3.y());
    panel3->setVisible(l.canvas3Visible);
    SetControlLeft(montage->Panel(4), l.canvas4.x());
    SetControlTop(montage->Panel(4), l.canvas4.y());
    // A small crop's layout still gets the window's least size, all of it white.
    montage->SetSheet(l.window);
    ControlNamed<PopupMenu>(QStringLiteral("PopupMenu3"))->setEnabled(l.thirdColumnEnabled);
    ControlNamed<PopupMenu>(QStringLiteral("PopupMenu6"))->setEnabled(l.thirdColumnEnabled);
    auto* column = ControlNamed<RectangleControl>(QStringLiteral("Rectangle10"));
    column->FillColor = l.thirdColumnFill;
    column->update();
    fourmodetrue = four;
    montage->update();
}

void Window10::threemode() { ApplyLayout(false); }

void Window10::fourmode() {
    ApplyLayout(true);
    drawtwo();
}

void Window10::drawtwo() {
    MontageChoices choices;
    for (int k = 0; k < 3; ++k) {
        choices.channel[k] = ControlNamed<PopupMenu>(QString::fromUtf8(kPopups[k]))->ListIndex();
        choices.mode[k] = ControlNamed<PopupMenu>(QString::fromUtf8(kPopups[k + 3]))->ListIndex();
    }
    qv::drawtwo(pic, choices, fourmodetrue);
    Window7* montage = Window7::instance();
    for (int k = 1; k <= 4; ++k) montage->Panel(k)->SetBackdrop(pic[static_cast<size_t>(k)]);
    montage->update();
}

void Window10::Dock() { Window7::instance()->DockUnder(*this); }

void Window10::Event_FrameChanged() {
    // News of the frame is no move: a closed montage window stays closed.
    if (Window7* montage = Window7::existing()) montage->DockUnder(*this);
}

void Window10::Event_Resized() { Dock(); }

void Window10::Event_Moved() {
    Dock();
    Window7::instance()->Show();
    Show();
}

void Window10::Event_Activate() {
    if (activating_) return;
    activating_ = true;
    Show();
    activating_ = false;
}

void Window10::Event_EnableMenuItems() {
    EnableItem(QStringLiteral("EditCopy"));
    EnableItem(QStringLiteral("FileSaveAs"));
    EnableItem(QStringLiteral("FileClose"));
}

bool Window10::_FileClose_Action() {
    Close();
    return false;
}

PicturePtr Window10::Snapshot() {
    Window7* montage = Window7::instance();
    // The whole montage, also where the window shows only part of it.
    const QSize whole = montage->Sheet();
    PicturePtr snapshot = NewPicture(whole.width(), whole.height(), 32);
    if (snapshot) montage->DrawInto(snapshot->Graphics(), 0, 0, whole);
    return snapshot;
}

bool Window10::_EditCopy_Action() {
    const PicturePtr snapshot = Snapshot();
    if (!snapshot) MsgBox(kNoPicture);
    else Platform().SetClipboardPicture(snapshot);
    return true;
}

bool Window10::_FileSaveAs_Action() {
    saveframe();
    return true;
}

void Window10::saveframe() {
    const PicturePtr snapshot = Snapshot();
    Platform().SetClipboardText(QStringLiteral("Montage of ") + Window1::instance()->Title());
    if (!snapshot) MsgBox(kNoPicture);
    else ExportPicture(snapshot);
}

void Window10::PopupMenu1_Change() { drawtwo(); }
void Window10::PopupMenu2_Change() { drawtwo(); }
void Window10::PopupMenu3_Change() { drawtwo(); }
void Window10::PopupMenu4_Change() { drawtwo(); }
void Window10::PopupMenu5_Change() { drawtwo(); }
void Window10::PopupMenu6_Change() { drawtwo(); }

void Window10::RadioButton1_Action() { threemode(); }
void Window10::RadioButton2_Action() { fourmode(); }

void Window10::BevelButton1_Action() { saveframe(); }

void Window10::BevelButton2_Action() {
    startup();
    drawtwo();
}

void Window10::ChooseMarker(int tool) {
    Window7* montage = Window7::instance();
    montage->curSelect = tool;
    montage->Show();
}

void Window10::BevelButton3_Action() { ChooseMarker(1); }
void Window10::BevelButton4_Action() { ChooseMarker(2); }
void Window10::BevelButton5_Action() { ChooseMarker(3); }

}  // namespace qv
