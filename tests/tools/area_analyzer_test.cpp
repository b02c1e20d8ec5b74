#include "tools/area_analyzer.h"

#include <gtest/gtest.h>

#include <vector>

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

#include "platform/core/whole_file_writer.h"
#include "support/workspace_fixture.h"
#include "workspace/core/coefficients.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;

class AreaAnalyzerTest : public test::WorkspaceTest {
  protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        w->SetTitle(QStringLiteral("cells.tif"));
        a = Window9::instance();
        hiddenAtFirst = !a->Visible();
        a->Show();  // as the workspace's command does
    }
    void TearDown() override {
        for (int i = WindowCount() - 1; i >= 0; --i) WindowAt(i)->Close();
        test::WorkspaceTest::TearDown();
    }
    // The workspace's values for a ROI.
    void Areas(const char* r, const char* g, const char* b, const char* ri = "",
               const char* gi = "", const char* bi = "") {
        a->EditField1->SetText(QString::fromUtf8(r));
        a->EditField2->SetText(QString::fromUtf8(g));
        a->EditField3->SetText(QString::fromUtf8(b));
        a->EditField10->SetText(QString::fromUtf8(ri));
        a->EditField11->SetText(QString::fromUtf8(gi));
        a->EditField12->SetText(QString::fromUtf8(bi));
    }
    void Include() { a->PushButton1->Push(); }
    void Choose(const char* row) {
        const int i = static_cast<int>(a->BevelButton1->Rows().indexOf(QString::fromUtf8(row)));
        ASSERT_GE(i, 0) << row;
        a->BevelButton1->ChooseRow(i);
    }
    void PressDone() {
        ASSERT_EQ(a->BevelButton1->HasMenu(), 0);
        a->BevelButton1->click();
    }
    FolderItemPtr File(const QString& name) { return FolderItem::FromPath(dir.filePath(name)); }
    QStringList Lines(const FolderItemPtr& f) {
        QFile file(f->AbsolutePath());
        if (!file.open(QIODevice::ReadOnly)) return {QStringLiteral("<missing>")};
        const QString text = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(text.endsWith(QLatin1Char('\n'))) << text.toStdString();
        EXPECT_FALSE(text.contains(QLatin1Char('\r')));
        QStringList lines = text.split(QLatin1Char('\n'));
        lines.removeLast();
        return lines;
    }
    QStringList Texts(std::initializer_list<EditField*> fields) {
        QStringList out;
        for (EditField* f : fields) out << f->Text();
        return out;
    }

    Window9* a = nullptr;
    bool hiddenAtFirst = false;
    QTemporaryDir dir;
};

const QString kHeadings =
    QStringLiteral("Area #\tRed\tGreen\tBlue\tRed intensity\tGreen intensity\tBlue intensity");

TEST_F(AreaAnalyzerTest, OpensHiddenWithItsControlsInOrder) {
    EXPECT_TRUE(hiddenAtFirst) << "the workspace places it before showing it";
    EXPECT_EQ(a->Title(), QStringLiteral("Area analyzer"));
    EXPECT_EQ(a->Width(), 331);
    EXPECT_EQ(a->Height(), 244);
    EXPECT_TRUE(w->areaongoing);
    const QStringList order{
        "StaticText7",  "EditField19", "StaticText1", "StaticText2", "StaticText3", "EditField1",
        "EditField2",   "EditField3",  "EditField4",  "EditField5",  "EditField6",  "EditField7",
        "EditField8",   "EditField9",  "StaticText4", "StaticText5", "StaticText6", "PushButton1",
        "BevelButton1", "EditField10", "EditField11", "EditField12", "StaticText8"};
    ASSERT_EQ(a->ControlCount(), order.size());
    for (int i = 0; i < a->ControlCount(); ++i) {
        EXPECT_EQ(a->ControlAt(i)->objectName(), order[i]);
        if (auto* e = qobject_cast<EditField*>(a->ControlAt(i))) {
            EXPECT_FALSE(e->isReadOnly()) << order[i].toStdString();
            EXPECT_TRUE(e->isEnabled());
        }
    }
    EXPECT_EQ(Texts({a->EditField4, a->EditField5, a->EditField6}), (QStringList{"0", "0", "0"}));
    EXPECT_EQ(Texts({a->EditField1, a->EditField7, a->EditField10, a->EditField19}),
              (QStringList{"", "", "", ""}));
    EXPECT_EQ(a->StaticText1->TextColor(), RGB(127, 0, 0));
    EXPECT_EQ(a->StaticText3->TextColor(), RGB(0, 0, 127));
    EXPECT_EQ(a->BevelButton1->Caption(), QStringLiteral("Save"));
    EXPECT_EQ(a->BevelButton1->HasMenu(), 2);
    EXPECT_EQ(a->BevelButton1->Rows(),
              (QStringList{"As Excel file", "Start collecting multiple data", "Clear all"}));
}

TEST_F(AreaAnalyzerTest, IncludeAddsAreasAndLeavesIntensitiesAlone) {
    Areas("100", "7", "", "900", "80", "1");
    Include();
    Areas("151", "7", "", "500", "70", "2");
    Include();
    EXPECT_EQ(Texts({a->EditField4, a->EditField5, a->EditField6}), (QStringList{"2", "2", "2"}));
    EXPECT_EQ(Texts({a->EditField7, a->EditField8, a->EditField9}),
              (QStringList{"125.5", "7", "0"}));
    EXPECT_EQ(a->redtot, 251);
    Areas("50", "7", "", "500", "70", "2");
    Include();
    EXPECT_EQ(a->EditField4->Text(), QStringLiteral("3"));
    EXPECT_EQ(a->EditField7->Text(), QStringLiteral("100.3333"));
    // The shown values are the last ROI's, never sums.
    EXPECT_EQ(Texts({a->EditField1, a->EditField10, a->EditField11, a->EditField12}),
              (QStringList{"50", "500", "70", "2"}));

    // A count typed by the user: 10 becomes 11; -1 becomes 0 and has no mean.
    a->EditField4->SetText(QStringLiteral("10"));
    a->EditField5->SetText(QStringLiteral("-1"));
    Include();
    EXPECT_EQ(a->EditField4->Text(), QStringLiteral("11"));
    EXPECT_EQ(a->EditField7->Text(), QStringLiteral("31.90909"));  // 351 / 11
    EXPECT_EQ(a->EditField5->Text(), QStringLiteral("0"));
    EXPECT_EQ(a->EditField8->Text(), kNoCoefficientText);
}

TEST_F(AreaAnalyzerTest, SingleTableOfTheValuesOnScreen) {
    const FolderItemPtr f = File(QStringLiteral("single.xls"));
    fake_->saveItems.push_back(f);
    a->EditField19->SetText(QStringLiteral("A1"));
    Choose("As Excel file");
    EXPECT_EQ(fake_->saveFilters, QStringList{"application/vnd.ms-excel"});
    EXPECT_EQ(fake_->saveNames, QStringList{"cells.tif Area A1.xls"});
    EXPECT_EQ(Lines(f), (QStringList{"Sample ID:\tA1", kHeadings, "0\t\t\t\t\t\t"}));
    EXPECT_EQ(a->BevelButton1->Caption(), QStringLiteral("Save"));
    EXPECT_FALSE(a->writing);

    // Later values, an empty ID; the file is replaced.
    a->EditField19->SetText(QString());
    Areas("12", "3", "0", "300", "40", "0");
    Include();
    fake_->saveItems.push_back(f);
    Choose("As Excel file");
    EXPECT_EQ(fake_->saveNames.last(), QStringLiteral("cells.tif Area .xls"));
    EXPECT_EQ(Lines(f), (QStringList{"Sample ID:\t", kHeadings, "1\t12\t3\t0\t300\t40\t0"}));

    // Cancelled: nothing written, back at "Save".
    Choose("As Excel file");
    EXPECT_EQ(a->BevelButton1->Caption(), QStringLiteral("Save"));
    EXPECT_TRUE(fake_->messages.isEmpty());
}

TEST_F(AreaAnalyzerTest, SeriesCollectsOneRowPerIncludeUntilDone) {
    const FolderItemPtr f = File(QStringLiteral("series.xls"));
    a->EditField19->SetText(QStringLiteral("A1"));
    for (int round = 0; round < 3; ++round) {
        fake_->saveItems.push_back(f);
        Choose("Start collecting multiple data");
        EXPECT_EQ(fake_->saveNames.last(), QStringLiteral("cells Area A1.xls"));
        EXPECT_EQ(a->BevelButton1->Caption(), QStringLiteral("Done"));
        EXPECT_EQ(a->BevelButton1->HasMenu(), 0);
        EXPECT_TRUE(a->writing);
        EXPECT_EQ(Lines(f), (QStringList{"Sample ID:\tA1", kHeadings})) << "on disk at once";
        a->EditField19->SetText(QStringLiteral("changed"));  // does not reach the series
        Areas("40", "5", "6", "400", "50", "60");
        Include();
        EXPECT_EQ(Lines(f).size(), 3) << "each row is on disk when Include returns";
        Areas("41", "0", "1", "410", "0", "10");
        Include();
        PressDone();
        EXPECT_EQ(Lines(f), (QStringList{"Sample ID:\tA1", kHeadings, "1\t40\t5\t6\t400\t50\t60",
                                         "2\t41\t0\t1\t410\t0\t10"}));
        EXPECT_EQ(a->BevelButton1->Caption(), QStringLiteral("Save"));
        EXPECT_EQ(a->BevelButton1->HasMenu(), 2);
        EXPECT_EQ(a->BevelButton1->Rows().size(), 3);
        Include();  // after Done: nothing anywhere
        EXPECT_EQ(Lines(f).size(), 4);
        a->clearall();
        a->EditField19->SetText(QStringLiteral("A1"));
    }
}

TEST_F(AreaAnalyzerTest, CancelledSeriesStillTurnsToDone) {
    Choose("Start collecting multiple data");
    EXPECT_EQ(a->BevelButton1->Caption(), QStringLiteral("Done"));
    EXPECT_EQ(a->BevelButton1->HasMenu(), 0);
    EXPECT_FALSE(a->writing);
    Include();
    PressDone();
    EXPECT_EQ(a->BevelButton1->Caption(), QStringLiteral("Save"));
    EXPECT_EQ(a->BevelButton1->Rows(),
              (QStringList{"As Excel file", "Start collecting multiple data", "Clear all"}));
    EXPECT_TRUE(fake_->messages.isEmpty());
}

TEST_F(AreaAnalyzerTest, TablesThatCannotBeWrittenAreReported) {
    // A folder where the file should be: neither table can be created.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.xls")));
    const FolderItemPtr taken = File(QStringLiteral("taken.xls"));
    fake_->saveItems.push_back(taken);
    Choose("As Excel file");
    ASSERT_EQ(fake_->messages.size(), 1);
    EXPECT_TRUE(fake_->messages[0].contains(QStringLiteral("could not be written")));
    EXPECT_EQ(a->BevelButton1->Caption(), QStringLiteral("Save"));

    fake_->saveItems.push_back(taken);
    Choose("Start collecting multiple data");
    EXPECT_EQ(fake_->messages.size(), 2);
    EXPECT_FALSE(a->writing) << "the series does not start";
    EXPECT_EQ(a->BevelButton1->Caption(), QStringLiteral("Done"));
    PressDone();

    // A row that cannot be written ends the series with a message; the rows
    // written before stay.
    const FolderItemPtr f = File(QStringLiteral("series.xls"));
    fake_->saveItems.push_back(f);
    Choose("Start collecting multiple data");
    Areas("1", "2", "3");
    Include();
    ASSERT_TRUE(QFile::remove(f->AbsolutePath()));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("series.xls")));
    Include();
    EXPECT_EQ(fake_->messages.size(), 3);
    EXPECT_FALSE(a->writing);
    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("series.xls")));
    Include();
    EXPECT_EQ(fake_->messages.size(), 3) << "one message, not one per Include";
    EXPECT_FALSE(f->Exists());
}

// A disk that fills up during a series: the Include whose row cannot land
// leaves the file as the Includes before left it, says so and ends the series;
// a single table on the full disk leaves no file at all.
TEST_F(AreaAnalyzerTest, AFullDiskKeepsTheSeriesFileAsItWasAndEndsTheSeries) {
    const FolderItemPtr f = File(QStringLiteral("series.xls"));
    fake_->saveItems.push_back(f);
    Choose("Start collecting multiple data");
    Areas("1", "2", "3");
    Include();
    QFile in(f->AbsolutePath());
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray before = in.readAll();
    in.close();
    ASSERT_EQ(Lines(f).size(), 3);
    {
        ScopedWriteFault full(WriteFault::AfterBytes(before.size() + 3));
        Areas("4", "5", "6");
        Include();
        EXPECT_EQ(full.Struck(), 1);
    }
    ASSERT_EQ(fake_->messages.size(), 1);
    EXPECT_TRUE(fake_->messages[0].startsWith(
        QStringLiteral("The table could not be written to \"series.xls\": ")));
    EXPECT_TRUE(fake_->messages[0].endsWith(QStringLiteral(
        ". The series has ended: this Include is not counted, and the rows written before it stay "
        "in the file.")))
        << fake_->messages[0].toStdString();
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), before) << "not the row's start (\"2\\t4\")";
    in.close();
    EXPECT_FALSE(a->writing) << "the series is not reported as going on";
    // Nothing looks collected that was not written: the counts, means and
    // totals read as after the one row on disk, and the button stands as after
    // a series that could not start.
    EXPECT_EQ(Texts({a->EditField4, a->EditField5, a->EditField6, a->EditField7, a->EditField8,
                     a->EditField9}),
              (QStringList{"1", "1", "1", "1", "2", "3"}));
    EXPECT_EQ(a->BevelButton1->Caption(), QStringLiteral("Done"));
    EXPECT_EQ(a->BevelButton1->HasMenu(), 0);
    // A further Include counts as Include does without a series, and writes
    // nothing, without a word.
    Include();
    EXPECT_EQ(Texts({a->EditField4, a->EditField5, a->EditField6, a->EditField7, a->EditField8,
                     a->EditField9}),
              (QStringList{"2", "2", "2", "2.5", "3.5", "4.5"}));
    EXPECT_EQ(Lines(f).size(), 3);
    EXPECT_EQ(fake_->messages.size(), 1);
    PressDone();
    EXPECT_EQ(a->BevelButton1->Caption(), QStringLiteral("Save"));
    EXPECT_EQ(a->BevelButton1->Rows(),
              (QStringList{"As Excel file", "Start collecting multiple data", "Clear all"}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("series.xls")});

    const FolderItemPtr single = File(QStringLiteral("single.xls"));
    fake_->saveItems.push_back(single);
    {
        ScopedWriteFault full(WriteFault::AtFlush());
        Choose("As Excel file");
    }
    EXPECT_EQ(fake_->messages.size(), 2);
    EXPECT_FALSE(single->Exists());
}

TEST_F(AreaAnalyzerTest, WideNumbersPushTheColumnsApartAndBack) {
    // A 1024 x 1024 ROI: areas of 1048576 pixels, intensities of 267386880.
    Areas("1048576", "1048576", "1048575", "267386880", "267386880", "267386625");
    Include();
    a->EditField3->SetText(QStringLiteral("1"));
    Include();
    Include();
    ASSERT_EQ(a->EditField9->Text(), QStringLiteral("349525.7"));
    const auto right = [](QWidget* c) { return ControlLeft(c) + c->width(); };
    // n, area, mean, intensity, left to right, with each heading over its column.
    const std::vector<std::vector<QWidget*>> columns{
        {a->StaticText5, a->EditField4, a->EditField5, a->EditField6},
        {a->StaticText4, a->EditField1, a->EditField2, a->EditField3},
        {a->StaticText6, a->EditField7, a->EditField8, a->EditField9},
        {a->StaticText8, a->EditField10, a->EditField11, a->EditField12}};
    const auto check = [&](const char* when) {
        for (size_t c = 0; c < columns.size(); ++c) {
            const int fieldLeft = ControlLeft(columns[c][1]);
            for (size_t i = 1; i < columns[c].size(); ++i) {
                QWidget* f = columns[c][i];
                EXPECT_EQ(ControlLeft(f), fieldLeft) << when << " " << f->objectName().toStdString();
                EXPECT_LE(right(f), a->Width()) << when;
                if (c + 1 < columns.size()) {
                    EXPECT_LT(right(f), ControlLeft(columns[c + 1][i]))
                        << when << " " << f->objectName().toStdString() << " hides its neighbour";
                }
            }
            QWidget* heading = columns[c][0];
            const int middle = ControlLeft(heading) + heading->width() / 2;
            EXPECT_GE(middle, fieldLeft) << when << " " << heading->objectName().toStdString();
            EXPECT_LE(middle, right(columns[c][1])) << when;
        }
    };
    check("wide");
    // Short numbers again: every column back at its place.
    Choose("Clear all");
    check("cleared");
    EXPECT_EQ(ControlLeft(a->EditField1), 132);
    EXPECT_EQ(ControlLeft(a->EditField7), 194);
    EXPECT_EQ(ControlLeft(a->EditField12), 254);
    EXPECT_EQ(ControlLeft(a->StaticText8), 248);
}

TEST_F(AreaAnalyzerTest, ClearAllZeroesEveryFieldAndEmptiesTheId) {
    Areas("100", "50", "10", "1000", "500", "100");
    a->EditField19->SetText(QStringLiteral("A1"));
    Include();
    Include();
    Choose("Clear all");
    EXPECT_EQ(a->BevelButton1->Caption(), QStringLiteral("Save"));
    for (int i = 0; i < a->ControlCount(); ++i) {
        if (auto* e = qobject_cast<EditField*>(a->ControlAt(i))) {
            EXPECT_EQ(e->Text(), e == a->EditField19 ? QString() : QStringLiteral("0"))
                << e->objectName().toStdString();
        }
    }
    EXPECT_EQ(a->redtot, 0);
    a->EditField1->SetText(QStringLiteral("40"));
    Include();
    EXPECT_EQ(a->EditField4->Text(), QStringLiteral("1"));
    EXPECT_EQ(a->EditField7->Text(), QStringLiteral("40"));
}

TEST_F(AreaAnalyzerTest, AfterNewWindowTheAnalyzerFollowsTheNewWorkspace) {
    w = test::NewWindow(w);
    ASSERT_TRUE(w);
    EXPECT_EQ(Window9::existing(), a) << "tool windows stay open";
    EXPECT_TRUE(w->areaongoing);

    // A rectangle drawn in the new workspace fills the analyzer's fields.
    w->import(test::Gradient(256));
    test::Drag(w->Canvas1, {10, 10}, {30, 20});
    EXPECT_EQ(a->EditField1->Text(), QStringLiteral("171")) << "the 19 x 9 interior";

    a->_FileClose_Action();
    DrainEvents();
    EXPECT_FALSE(w->areaongoing);
}

TEST_F(AreaAnalyzerTest, ClosingEndsTheSeriesAndClearsTheFlagThroughTheAccessor) {
    const FolderItemPtr f = File(QStringLiteral("series.xls"));
    fake_->saveItems.push_back(f);
    Choose("Start collecting multiple data");
    Areas("9", "8", "7");
    Include();
    QPointer<Window9> old(a);
    w->Close();  // the workspace goes first: the analyzer's close brings up a fresh one
    DrainEvents();
    EXPECT_TRUE(old->_FileClose_Action() == false);
    DrainEvents();
    ASSERT_TRUE(Window1::existing());
    EXPECT_FALSE(Window1::existing()->areaongoing);
    EXPECT_FALSE(Window9::existing());
    EXPECT_EQ(Lines(f), (QStringList{"Sample ID:\t", kHeadings, "1\t9\t8\t7\t\t\t"}));

    // Reopened: the initial values again.
    w = Window1::instance();
    a = Window9::instance();
    a->Show();
    EXPECT_NE(a, old.data());
    EXPECT_EQ(a->EditField4->Text(), QStringLiteral("0"));
    EXPECT_EQ(a->redtot, 0);
    EXPECT_FALSE(a->writing);
}

}  // namespace
}  // namespace qv
