#include "tools/area_analyzer.h"

#include <algorithm>

#include <QEvent>

#include "platform/menus.h"
#include "platform/services.h"
#include "tools/core/area_table.h"
#include "tools/tool_exports.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {

using K = ControlKind;

const QString kTableType = QStringLiteral("application/vnd.ms-excel");

// clang-format off
constexpr ControlSpec kControls[] = {
    {.kind = K::StaticText, .name = "StaticText7", .left = 20, .top = 9, .width = 100, .height = 20,
     .text = "Sample ID:", .hasColor = true, .color = kBlack, .align = 0},
    {.kind = K::EditField, .name = "EditField19", .left = 97, .top = 8, .width = 183, .height = 22},
    {.kind = K::StaticText, .name = "StaticText1", .left = 20, .top = 79, .width = 41, .height = 20,
     .text = "Red", .hasColor = true, .color = RGB(127, 0, 0), .align = 0},
    {.kind = K::StaticText, .name = "StaticText2", .left = 20, .top = 111, .width = 41,
     .height = 20, .text = "Green", .hasColor = true, .color = RGB(0, 127, 0), .align = 0},
    {.kind = K::StaticText, .name = "StaticText3", .left = 20, .top = 143, .width = 41,
     .height = 20, .text = "Blue", .hasColor = true, .color = RGB(0, 0, 127), .align = 0},
    {.kind = K::EditField, .name = "EditField1", .left = 132, .top = 78, .width = 50, .height = 22},
    {.kind = K::EditField, .name = "EditField2", .left = 132, .top = 111, .width = 50,
     .height = 22},
    {.kind = K::EditField, .name = "EditField3", .left = 132, .top = 143, .width = 50,
     .height = 22},
    {.kind = K::EditField, .name = "EditField4", .left = 71, .top = 78, .width = 50, .height = 22,
     .text = "0"},
    {.kind = K::EditField, .name = "EditField5", .left = 71, .top = 111, .width = 50, .height = 22,
     .text = "0"},
    {.kind = K::EditField, .name = "EditField6", .left = 71, .top = 143, .width = 50, .height = 22,
     .text = "0"},
    {.kind = K::EditField, .name = "EditField7", .left = 194, .top = 78, .width = 50, .height = 22},
    {.kind = K::EditField, .name = "EditField8", .left = 194, .top = 111, .width = 50,
     .height = 22},
    {.kind = K::EditField, .name = "EditField9", .left = 194, .top = 143, .width = 50,
     .height = 22},
    {.kind = K::StaticText, .name = "StaticText4", .left = 126, .top = 47, .width = 64,
     .height = 20, .text = "Area (px)", .hasColor = true, .color = kBlack, .align = 1},
    {.kind = K::StaticText, .name = "StaticText5", .left = 70, .top = 47, .width = 50, .height = 20,
     .text = "n", .hasColor = true, .color = kBlack, .align = 1},
    {.kind = K::StaticText, .name = "StaticText6", .left = 191, .top = 47, .width = 54,
     .height = 20, .text = "Mean", .hasColor = true, .color = kBlack, .align = 1},
    {.kind = K::PushButton, .name = "PushButton1", .left = 73, .top = 189, .width = 69,
     .height = 20, .text = "Include", .events = "Action"},
    {.kind = K::BevelButton, .name = "BevelButton1", .left = 187, .top = 189, .width = 60,
     .height = 22, .text = "Save", .events = "Open,Action", .hasMenu = 2, .captionAlign = 3},
    {.kind = K::EditField, .name = "EditField10", .left = 254, .top = 78, .width = 50,
     .height = 22},
    {.kind = K::EditField, .name = "EditField11", .left = 254, .top = 111, .width = 50,
     .height = 22},
    {.kind = K::EditField, .name = "EditField12", .left = 254, .top = 143, .width = 50,
     .height = 22},
    {.kind = K::StaticText, .name = "StaticText8", .left = 248, .top = 47, .width = 60,
     .height = 20, .text = "Intensity", .hasColor = true, .color = kBlack, .align = 1},
};
// clang-format on

}  // namespace

Window9::Window9() {
    SetTitle(QStringLiteral("Area analyzer"));
    SetMinimumSize(64, 64);
    SetSize(331, 244);
    DeclaredVisible = false;
    BuildControls(kControls,
                  {QV_HANDLER(Window9, PushButton1_Action), QV_HANDLER(Window9, BevelButton1_Open),
                   QV_HANDLER(Window9, BevelButton1_Action)});
    QV_CONTROL(StaticText7);
    QV_CONTROL(EditField19);
    QV_CONTROL(StaticText1);
    QV_CONTROL(StaticText2);
    QV_CONTROL(StaticText3);
    QV_CONTROL(EditField1);
    QV_CONTROL(EditField2);
    QV_CONTROL(EditField3);
    QV_CONTROL(EditField4);
    QV_CONTROL(EditField5);
    QV_CONTROL(EditField6);
    QV_CONTROL(EditField7);
    QV_CONTROL(EditField8);
    QV_CONTROL(EditField9);
    QV_CONTROL(StaticText4);
    QV_CONTROL(StaticText5);
    QV_CONTROL(StaticText6);
    QV_CONTROL(PushButton1);
    QV_CONTROL(BevelButton1);
    QV_CONTROL(EditField10);
    QV_CONTROL(EditField11);
    QV_CONTROL(EditField12);
    QV_CONTROL(StaticText8);
    AddMenuHandler(QStringLiteral("FileClose"), [this] { return _FileClose_Action(); });
    for (EditField* f : {EditField4, EditField5, EditField6, EditField1, EditField2, EditField3,
                         EditField7, EditField8, EditField9, EditField10, EditField11, EditField12})
        f->installEventFilter(this);
}

bool Window9::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) ArrangeColumns();
    return Window::eventFilter(watched, event);
}

void Window9::ArrangeColumns() {
    // Where the layout table puts a control.
    const auto laidOut = [](const QWidget* control) -> const ControlSpec& {
        const QByteArray name = control->objectName().toUtf8();
        return *std::find_if(std::begin(kControls), std::end(kControls),
                             [&](const ControlSpec& s) { return name == s.name; });
    };
    struct Column {
        StaticText* heading;
        EditField* fields[3];
    };
    const Column columns[] = {{StaticText5, {EditField4, EditField5, EditField6}},
                              {StaticText4, {EditField1, EditField2, EditField3}},
                              {StaticText6, {EditField7, EditField8, EditField9}},
                              {StaticText8, {EditField10, EditField11, EditField12}}};
    int shift = 0, right = 0;
    for (const Column& c : columns) {
        const ControlSpec& place = laidOut(c.fields[0]);
        int widest = place.width;
        for (EditField* f : c.fields) {
            SetControlLeft(f, laidOut(f).left + shift);
            widest = std::max(widest, f->width());
        }
        SetControlLeft(c.heading, laidOut(c.heading).left + shift);
        right = place.left + shift + widest;
        shift += widest - place.width;
    }
    if (right > Width()) SetWidth(right);
}

void Window9::PushButton1_Action() {
    // What Include changes, as it stood: a row that cannot be written is not
    // counted.
    const std::int32_t totals[] = {redtot, greentot, bluetot};
    EditField* const changed[] = {EditField4, EditField5, EditField6,
                                  EditField7, EditField8, EditField9};
    QStringList before;
    for (EditField* f : changed) before << f->Text();
    redtot = IncludedTotal(redtot, EditField1->Text());
    greentot = IncludedTotal(greentot, EditField2->Text());
    bluetot = IncludedTotal(bluetot, EditField3->Text());
    EditField4->SetText(IncludedCount(EditField4->Text()));
    EditField5->SetText(IncludedCount(EditField5->Text()));
    EditField6->SetText(IncludedCount(EditField6->Text()));
    EditField7->SetText(MeanText(redtot, EditField4->Text()));
    EditField8->SetText(MeanText(greentot, EditField5->Text()));
    EditField9->SetText(MeanText(bluetot, EditField6->Text()));
    if (!writing || !excfile) return;
    // A row that cannot be added ends the series (with a message): the file
    // keeps its header and every row before, the counts and means read as
    // before this Include, and the button stays at "Done" as after a series
    // that could not start.
    if (AppendToTable(*excfile, {DataRow()}, SeriesEndedAfterword())) return;
    EndSeries();
    redtot = totals[0];
    greentot = totals[1];
    bluetot = totals[2];
    for (int i = 0; i < before.size(); ++i) changed[i]->SetText(before[i]);
}

QStringList Window9::Header() const {
    return AreaTableHeader(StaticText7->Text(), EditField19->Text(), StaticText1->Text(),
                           StaticText2->Text(), StaticText3->Text());
}

QString Window9::DataRow() const {
    return TableLine({EditField4->Text(), EditField1->Text(), EditField2->Text(),
                      EditField3->Text(), EditField10->Text(), EditField11->Text(),
                      EditField12->Text()});
}

void Window9::FillSaveMenu() {
    BevelButton1->AddRowsFrom(kAreaSaveRows);
}

void Window9::BevelButton1_Open() {
    FillSaveMenu();
}

void Window9::BevelButton1_Action() {
    if (BevelButton1->HasMenu() != 0) {
        const QStringList rows = BevelButton1->Rows();
        const int chosen = BevelButton1->MenuValue();
        if (chosen < 0 || chosen >= rows.size()) return;
        BevelButton1->SetCaption(rows[chosen]);
    }
    const QString caption = BevelButton1->Caption();
    if (caption == QLatin1String("Clear all")) {
        clearall();
        BevelButton1->SetCaption(QStringLiteral("Save"));
    } else if (caption == QLatin1String("As Excel file")) {
        asexcel();
        BevelButton1->SetCaption(QStringLiteral("Save"));
    } else if (caption == QLatin1String("Done")) {
        EndSeries();
        BevelButton1->SetCaption(QStringLiteral("Save"));
        BevelButton1->DeleteAllRows();
        FillSaveMenu();
        BevelButton1->SetHasMenu(2);
    } else if (caption == QLatin1String("Start collecting multiple data")) {
        collect();
        BevelButton1->SetCaption(QStringLiteral("Done"));
        BevelButton1->SetHasMenu(0);
    }
}

void Window9::EndSeries() {
    excfile = nullptr;
    writing = false;
}

void Window9::asexcel() {
    const QString name = AreaTableName(Window1::instance()->Title(), EditField19->Text());
    const FolderItemPtr f = GetSaveFolderItem(kTableType, name);
    if (!f) return;
    // The single table is written whole, so it is complete when the action ends.
    SaveTable(*f, Header() << DataRow());
}

void Window9::collect() {
    const QString name = AreaSeriesName(Window1::instance()->Title(), EditField19->Text());
    const FolderItemPtr f = GetSaveFolderItem(kTableType, name);
    if (!f) return;
    if (!SaveTable(*f, Header())) return;  // reported; the series does not start
    excfile = f;
    writing = true;
}

void Window9::clearall() {
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* e = qobject_cast<EditField*>(ControlAt(i))) e->SetText(QStringLiteral("0"));
    redtot = greentot = bluetot = 0;
    EditField19->SetText(QString());
}

void Window9::Event_Open() {
    if (!Quitting()) Window1::instance()->areaongoing = true;
}

void Window9::Event_Close() {
    // The flag lives in the workspace, reached as always through its accessor;
    // while the program quits no window is built for it.
    if (!Quitting()) Window1::instance()->areaongoing = false;
    // Every row of an open series is on disk already; the series ends here.
    EndSeries();
}

void Window9::Event_EnableMenuItems() {
    EnableItem(QStringLiteral("FileClose"));
}

bool Window9::_FileClose_Action() {
    Close();
    return false;
}

}  // namespace qv
