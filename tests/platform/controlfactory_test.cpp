#include <gtest/gtest.h>

#include <QFontInfo>
#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "support/fake_services.h"
#include "support/text_ink.h"

namespace qv {
namespace {

using K = ControlKind;
using test::InkColumns;
using test::WholeInkWidth;

constexpr ControlSpec kSpecs[] = {
    {.kind = K::TabPanel, .name = "Tabs", .left = 100, .top = 50, .width = 200, .height = 120,
     .rows = "One\nTwo", .locks = "TR", .events = "Change"},
    {.kind = K::RadioButton, .name = "A1", .left = 110, .top = 80, .width = 60, .height = 20,
     .page = 1, .parent = "Tabs", .text = "a1", .locks = "TR", .events = "Action", .group = "a"},
    {.kind = K::RadioButton, .name = "A2", .left = 110, .top = 100, .width = 60, .height = 20,
     .page = 1, .parent = "Tabs", .text = "a2", .value = 1, .locks = "TR", .events = "Action",
     .group = "a"},
    {.kind = K::RadioButton, .name = "B1", .left = 110, .top = 80, .width = 60, .height = 20,
     .page = 2, .parent = "Tabs", .text = "b1", .locks = "TR", .events = "Action", .group = "b"},
    {.kind = K::CheckBox, .name = "Check", .left = 10, .top = 10, .width = 80, .height = 20,
     .text = "check", .value = 1, .locks = "LT", .events = "Open,Action"},
    {.kind = K::Slider, .name = "Slide", .left = 10, .top = 40, .width = 80, .height = 20,
     .value = 0, .locks = "LT", .events = "ValueChanged", .minimum = 1, .maximum = 100},
    {.kind = K::PopupMenu, .name = "Pop", .left = 10, .top = 70, .width = 80, .height = 20,
     .rows = "x\ny\nz", .value = 0, .locks = "LT", .events = "Change"},
    {.kind = K::PushButton, .name = "Under", .left = 20, .top = 120, .width = 60, .height = 20,
     .text = "under", .locks = "LT", .events = "Action"},
    {.kind = K::GroupBox, .name = "Box", .left = 10, .top = 100, .width = 80, .height = 60,
     .text = "box", .locks = "LT"},
    {.kind = K::ImageWell, .name = "Well", .left = 220, .top = 180, .width = 60, .height = 50,
     .locks = "TR"},
    {.kind = K::StaticText, .name = "Inside", .left = 230, .top = 190, .width = 40, .height = 30,
     .parent = "Well", .text = "1.\rtwo", .multiline = true, .locks = "TR"},
    {.kind = K::Timer, .name = "Tick", .events = "Action", .period = 100, .mode = 0},
};

class FactoryWindow : public Window {
public:
    FactoryWindow() {
        SetSize(320, 260);
        BuildControls(kSpecs, {
                                  QV_HANDLER(FactoryWindow, Tabs_Change),
                                  QV_HANDLER(FactoryWindow, A1_Action),
                                  QV_HANDLER(FactoryWindow, A2_Action),
                                  QV_HANDLER(FactoryWindow, B1_Action),
                                  QV_HANDLER(FactoryWindow, Check_Open),
                                  QV_HANDLER(FactoryWindow, Check_Action),
                                  QV_HANDLER(FactoryWindow, Slide_ValueChanged),
                                  QV_HANDLER(FactoryWindow, Pop_Change),
                                  QV_HANDLER(FactoryWindow, Under_Action),
                                  QV_HANDLER(FactoryWindow, Tick_Action),
                              });
    }
    void Tabs_Change() { calls << "Tabs_Change"; }
    void A1_Action() { calls << "A1_Action"; }
    void A2_Action() { calls << "A2_Action"; }
    void B1_Action() { calls << "B1_Action"; }
    void Check_Open() { calls << "Check_Open"; }
    void Check_Action() { calls << "Check_Action"; }
    void Slide_ValueChanged() { calls << "Slide_ValueChanged"; }
    void Pop_Change() { calls << "Pop_Change"; }
    void Under_Action() { calls << "Under_Action"; }
    void Tick_Action() { calls << "Tick_Action"; }
    QStringList calls;

    template <class T>
    T* C(const char* name) {
        return ControlNamed<T>(QString::fromUtf8(name));
    }
};

TEST(ControlFactoryTest, BuildingFiresNoHandlerAndOpenRunsAfterwards) {
    FactoryWindow w;
    EXPECT_TRUE(w.calls.isEmpty()) << w.calls.join(",").toStdString();
    EXPECT_TRUE(w.C<CheckBox>("Check")->Value());
    EXPECT_EQ(w.C<Slider>("Slide")->Value(), 1) << "the declared 0 lies below the minimum";
    EXPECT_TRUE(w.C<RadioButton>("A2")->Value());
    w.Open();
    EXPECT_EQ(w.calls, QStringList{"Check_Open"});
    EXPECT_EQ(w.ControlCount(), 12);
    EXPECT_EQ(w.ControlAt(0)->objectName(), QStringLiteral("Tabs"));
    EXPECT_EQ(w.C<Timer>("Tick")->Period(), 100);
}

TEST(ControlFactoryTest, ValuesSetByCodeFireTheirHandlers) {
    FactoryWindow w;
    w.C<CheckBox>("Check")->SetValue(false);
    w.C<Slider>("Slide")->SetValue(40);
    w.C<PopupMenu>("Pop")->SetListIndex(2);
    w.C<TabPanel>("Tabs")->SetValue(1);
    w.C<Timer>("Tick")->SetMode(1);
    w.C<Timer>("Tick")->Fire();
    EXPECT_EQ(w.calls, (QStringList{"Check_Action", "Slide_ValueChanged", "Pop_Change",
                                    "Tabs_Change", "Tick_Action"}));
}

TEST(ControlFactoryTest, RadioGroupsOnOneParentExcludeOnlyWithinTheGroup) {
    FactoryWindow w;
    w.C<RadioButton>("A1")->SetValue(true);
    EXPECT_FALSE(w.C<RadioButton>("A2")->Value());
    w.C<RadioButton>("B1")->SetValue(true);
    EXPECT_TRUE(w.C<RadioButton>("A1")->Value()) << "another group";
    // the action runs on selection only, not for the button turned off
    EXPECT_EQ(w.calls, (QStringList{"A1_Action", "B1_Action"}));

    // Code may turn the selected button off: the group then has none selected,
    // and still excludes afterwards.
    w.C<RadioButton>("A1")->SetValue(false);
    EXPECT_FALSE(w.C<RadioButton>("A1")->Value());
    EXPECT_FALSE(w.C<RadioButton>("A2")->Value());
    w.C<RadioButton>("A2")->SetValue(true);
    w.C<RadioButton>("A1")->SetValue(true);
    EXPECT_FALSE(w.C<RadioButton>("A2")->Value());
}

TEST(ControlFactoryTest, PlacesAreWindowPixelsAndPagesShowOneAtATime) {
    FactoryWindow w;
    w.Open();
    w.Show();
    EXPECT_EQ(ControlLeft(w.C<RadioButton>("A1")), 110);
    EXPECT_EQ(ControlTop(w.C<RadioButton>("A1")), 80);
    EXPECT_EQ(ControlLeft(w.C<StaticText>("Inside")), 230);
    EXPECT_EQ(w.C<StaticText>("Inside")->parentWidget(), w.C<ImageWell>("Well"));
    EXPECT_TRUE(w.C<RadioButton>("A1")->isVisible());
    EXPECT_FALSE(w.C<RadioButton>("B1")->isVisible());
    EXPECT_TRUE(ControlVisible(w.C<RadioButton>("B1"))) << "hidden by its page, not by itself";
    w.C<TabPanel>("Tabs")->SetValue(1);
    EXPECT_FALSE(w.C<RadioButton>("A1")->isVisible());
    EXPECT_TRUE(w.C<RadioButton>("B1")->isVisible());
}

TEST(ControlFactoryTest, StaticTextKeepsCarriageReturnsAndShowsLineBreaks) {
    FactoryWindow w;
    StaticText* t = w.C<StaticText>("Inside");
    EXPECT_EQ(t->Text(), QStringLiteral("1.\rtwo"));
    EXPECT_EQ(t->text(), QStringLiteral("1.\ntwo"));
    t->SetText(QStringLiteral("a\rb\rc"));
    EXPECT_EQ(t->Text(), QStringLiteral("a\rb\rc"));
}

TEST(ControlFactoryTest, AGroupBoxDoesNotTakeTheMouseFromWhatItLiesOver) {
    FactoryWindow w;
    w.Open();
    w.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    PushButton* under = w.C<PushButton>("Under");
    const QPoint centre = under->mapTo(&w, under->rect().center());
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, centre);
    EXPECT_TRUE(w.calls.contains(QStringLiteral("Under_Action")));
}

TEST(ControlFactoryTest, RightLockedControlsKeepTheirDistanceToTheRightEdge) {
    FactoryWindow w;
    w.Open();
    const int before = w.Width() - ControlLeft(w.C<RadioButton>("A1"));
    const int beforeInside = w.Width() - ControlLeft(w.C<StaticText>("Inside"));
    w.SetWidth(500);
    EXPECT_EQ(w.Width() - ControlLeft(w.C<RadioButton>("A1")), before);
    EXPECT_EQ(w.Width() - ControlLeft(w.C<StaticText>("Inside")), beforeInside);
    EXPECT_EQ(w.Width() - ControlLeft(w.C<TabPanel>("Tabs")), 220);
    EXPECT_EQ(ControlLeft(w.C<CheckBox>("Check")), 10) << "locked left stays";
    w.SetWidth(280);
    EXPECT_EQ(w.Width() - ControlLeft(w.C<RadioButton>("A1")), before);
}

constexpr ControlSpec kNumberSpecs[] = {
    {.kind = K::StaticText, .name = "Count", .left = 253, .top = 59, .width = 39, .height = 21,
     .text = "n", .align = 1, .multiline = true},
    {.kind = K::EditField, .name = "Value", .left = 40, .top = 10, .width = 30, .height = 22,
     .readOnly = true},
    {.kind = K::StaticText, .name = "Label", .left = 40, .top = 90, .width = 120, .height = 20,
     .text = "x"},
};

class NumberWindow : public Window {
public:
    NumberWindow() {
        SetSize(300, 200);
        BuildControls(kNumberSpecs, {});
    }
};

TEST(NumberFieldTest, ANumberThatDoesNotFitGrowsItsFieldFromItsLeftEdge) {
    NumberWindow w;
    w.Show();
    auto* count = w.ControlNamed<StaticText>(QStringLiteral("Count"));
    auto* value = w.ControlNamed<EditField>(QStringLiteral("Value"));
    for (const char* n : {"958441", "1048576", "267386880", "-12.5", "100%", "0.00009536743",
                          "\u2206x:-1023"}) {
        const QString text = QString::fromUtf8(n);
        count->SetText(text);
        value->SetText(text);
        EXPECT_EQ(ControlLeft(count), 253) << n;
        EXPECT_EQ(ControlLeft(value), 40) << n;
        const auto [cFirst, cLast] = InkColumns(count);
        EXPECT_EQ(cLast - cFirst, WholeInkWidth(count, text)) << n << ": the label shows it all";
        const auto [vFirst, vLast] = InkColumns(value);
        EXPECT_EQ(vLast - vFirst, WholeInkWidth(value, text)) << n << ": the field shows it all";
        EXPECT_GE(w.Width(), ControlLeft(count) + count->width()) << n << ": the window makes room";
    }
    EXPECT_GT(w.Width(), 300);
    // a short number fits again: back to the laid-out width
    count->SetText(QStringLiteral("12"));
    value->SetText(QString());
    EXPECT_EQ(count->width(), 39);
    EXPECT_EQ(value->width(), 30);
    // words, sentences and texts of several lines are left to their layout
    auto* label = w.ControlNamed<StaticText>(QStringLiteral("Label"));
    for (const char* t : {"Monochrome", "Processing 768x512px, 3 channels", "1.\rDrop image here"}) {
        label->SetText(QString::fromLatin1(t));
        EXPECT_EQ(label->width(), 120) << t;
    }
}

// Controls of every kind whose text the factory fits, each given a text that
// shows whole in its declared place at its declared font, alignment and word
// wrap (the first not in a label of Qt's default size and look).
constexpr ControlSpec kFittedSpecs[] = {
    {.kind = K::StaticText, .name = "Description", .left = 22, .top = 186, .width = 256,
     .height = 83,
     .text = "Image analysis for confocal microscopy. Quantitative co-localization analysis. "
             "Multiple formats including Leica TIFF files, Biorad PIC,  JPEG, TIF, BMP, PICT, "
             "GIF et c. \rClick window to start.",
     .textSize = 11, .align = 1, .multiline = true},
    {.kind = K::StaticText, .name = "Status", .left = 120, .top = 10, .width = 175, .height = 20,
     .text = "Processing 768x512px, 3 channels", .align = 2},
    {.kind = K::PushButton, .name = "Push", .left = 170, .top = 40, .width = 120, .height = 17,
     .text = "Coefficient Calculator", .font = "Arial", .textSize = 10},
    {.kind = K::BevelButton, .name = "Bevel", .left = 200, .top = 65, .width = 83, .height = 22,
     .text = "Auto contrast", .textSize = 10},
    {.kind = K::CheckBox, .name = "Check", .left = 180, .top = 95, .width = 116, .height = 27,
     .text = "Auto refresh"},
    {.kind = K::TabPanel, .name = "Tabs", .left = 10, .top = 125, .width = 280, .height = 55,
     .rows = "Fluorogram\nBackground\nHistogram", .font = "Arial", .textSize = 10},
    {.kind = K::RadioButton, .name = "Radio", .left = 200, .top = 150, .width = 88, .height = 23,
     .page = 1, .parent = "Tabs", .text = "All channels", .textSize = 10},
    {.kind = K::GroupBox, .name = "Group", .left = 10, .top = 10, .width = 100, .height = 100,
     .text = "View saturated", .textSize = 10},
};

// Two texts that no size of their font shows whole in their places.
constexpr ControlSpec kTooLongSpecs[] = {
    {.kind = K::StaticText, .name = "Status", .left = 250, .top = 10, .width = 30, .height = 20,
     .text = "Processing 768x512px, 3 channels"},
    {.kind = K::PushButton, .name = "Push", .left = 280, .top = 40, .width = 12, .height = 20,
     .text = "Revert to original"},
};

template <std::size_t N>
class SpecWindow : public Window {
public:
    explicit SpecWindow(const ControlSpec (&specs)[N]) {
        SetSize(300, 300);
        BuildControls(specs, {});
    }
};

TEST(ControlFactoryTest, TextsAreFittedToTheirControlsDeclaredPlaceFontAndLayout) {
    SpecWindow w(kFittedSpecs);
    w.Open();
    w.Show();
    EXPECT_EQ(w.Width(), 300) << "every text fits: no window grows";
    EXPECT_EQ(w.Height(), 300);
    for (const ControlSpec& s : kFittedSpecs) {
        auto* c = w.ControlNamed<QWidget>(QString::fromUtf8(s.name));
        ASSERT_TRUE(c) << s.name;
        const auto place = [](int left, int top, int width, int height) {
            return std::to_string(width) + " x " + std::to_string(height) + " at " +
                   std::to_string(left) + ", " + std::to_string(top);
        };
        EXPECT_EQ(place(ControlLeft(c), ControlTop(c), c->width(), c->height()),
                  place(s.left, s.top, s.width, s.height))
            << s.name << " keeps its declared place and size";
    }
    for (const char* name : {"Description", "Status"}) {
        auto* t = w.ControlNamed<StaticText>(QString::fromUtf8(name));
        EXPECT_TRUE(TextFits(t->font(), t->TextRect(), t->TextFlags(), t->text())) << name;
    }
    auto* check = w.ControlNamed<CheckBox>(QStringLiteral("Check"));
    EXPECT_EQ(QFontInfo(check->font()).pixelSize(), 12) << "a caption that fits keeps its size";
    EXPECT_LE(check->sizeHint().width(), check->width());
}

// A text that does not show whole even at the smallest size grows its control
// as far as it needs and no further, and the window with it.
TEST(ControlFactoryTest, ATextTooLongForItsPlaceGrowsItsControlAsFarAsItNeeds) {
    SpecWindow w(kTooLongSpecs);
    auto* status = w.ControlNamed<StaticText>(QStringLiteral("Status"));
    auto* push = w.ControlNamed<PushButton>(QStringLiteral("Push"));
    EXPECT_EQ(QFontInfo(status->font()).pixelSize(), kSmallestTextSize);
    const QRect room = status->TextRect();
    EXPECT_TRUE(TextFits(status->font(), room, status->TextFlags(), status->text()));
    EXPECT_FALSE(TextFits(status->font(), room.adjusted(0, 0, -1, 0), status->TextFlags(),
                          status->text()))
        << "one pixel narrower would cut it";
    EXPECT_EQ(status->height(), 20);
    EXPECT_EQ(ControlLeft(status), 250);
    EXPECT_EQ(ControlTop(status), 10);
    EXPECT_GT(push->width(), 12);
    EXPECT_EQ(ControlLeft(push), 280);
    EXPECT_EQ(w.Width(), std::max(ControlLeft(status) + status->width(),
                                  ControlLeft(push) + push->width()));
    EXPECT_EQ(w.Height(), 300);
}

constexpr ControlSpec kTwoNumberSpecs[] = {
    {.kind = K::StaticText, .name = "Count", .left = 253, .top = 59, .width = 39, .height = 21,
     .text = "n", .align = 1, .multiline = true},
    {.kind = K::EditField, .name = "Value", .left = 240, .top = 120, .width = 50, .height = 22,
     .readOnly = true},
};

// A window widened for a grown number narrows again as the number fits once
// more, as far as its other grown fields allow; a size anything else gave the
// window since is kept.
TEST(NumberFieldTest, AWindowWidenedForANumberGivesTheWidthBackOnceItFits) {
    struct Step {
        const char* count;  // nullptr: left as it is
        const char* value;
        int resizeTo;  // a width the program gives the window before the step, or 0
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        int ends;  // the window's width at the end; -1: as wide as the grown field reaches
    };
    const Case cases[] = {
        {"one number and back", {{"267386880", nullptr, 0}, {"12", nullptr, 0}}, 300},
        {"the other field still needs room",
         {{"267386880", nullptr, 0}, {nullptr, "0.000095367431640625", 0}, {"12", nullptr, 0}},
         -1},
        {"both fit again",
         {{"267386880", nullptr, 0}, {nullptr, "0.000095367431640625", 0}, {"12", nullptr, 0},
          {nullptr, "", 0}},
         300},
        {"sized by the program in between", {{"267386880", nullptr, 0}, {"12", nullptr, 400}},
         400},
    };
    for (const Case& c : cases) {
        SpecWindow w(kTwoNumberSpecs);
        w.Open();
        w.Show();
        auto* count = w.ControlNamed<StaticText>(QStringLiteral("Count"));
        auto* value = w.ControlNamed<EditField>(QStringLiteral("Value"));
        int widest = 300;
        for (const Step& step : c.steps) {
            if (step.resizeTo) w.SetWidth(step.resizeTo);
            if (step.count) count->SetText(QString::fromUtf8(step.count));
            if (step.value) value->SetText(QString::fromUtf8(step.value));
            widest = std::max(widest, w.Width());
        }
        EXPECT_GT(widest, 300) << c.name << ": a number widened the window";
        const int expected = c.ends > 0 ? c.ends : ControlLeft(value) + value->width();
        if (c.ends < 0) {
            EXPECT_GT(expected, 300) << c.name << ": the field reaches past 300";
        }
        EXPECT_EQ(w.Width(), expected) << c.name;
        EXPECT_EQ(w.Height(), 300) << c.name;
        EXPECT_EQ(count->width(), 39) << c.name;
    }
}

TEST(ControlFactoryTest, BevelButtonMenuRowsAndToggle) {
    BevelButton b;
    b.SetHasMenu(2);
    int actions = 0;
    b.Action = [&] { ++actions; };
    b.AddRow(QStringLiteral("One"));
    b.AddSeparator();
    b.AddRow(QStringLiteral("Two"));
    b.ChooseRow(1);  // a separator cannot be chosen
    EXPECT_EQ(actions, 0);
    b.ChooseRow(2);
    EXPECT_EQ(b.MenuValue(), 2);
    EXPECT_EQ(actions, 1);

    BevelButton toggle;
    toggle.SetButtonType(1);
    int toggles = 0;
    toggle.Action = [&] { ++toggles; };
    toggle.SetValue(true);
    EXPECT_TRUE(toggle.Value());
    toggle.click();
    EXPECT_FALSE(toggle.Value());
    EXPECT_EQ(toggles, 2);
}

}  // namespace
}  // namespace qv
