#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

#include "platform/core/whole_file_writer.h"
#include "support/workspace_fixture.h"
#include "workspace/core/coefficients.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

constexpr Color kGreen = 0x00FF00u;

Color At(const PicturePtr& p, int x, int y) {
    return p->RGBSurface()->Pixel(x, y);
}

// A crop whose top row holds green values 0, 40, 40, 40, 41, 120 and 250 with
// a white and a black pixel among them; white everywhere else.
PicturePtr GreenCrop() {
    PicturePtr p = NewPicture(300, 300);
    const Color row[] = {RGB(7, 0, 7),    RGB(0, 40, 0), RGB(2, 40, 9),
                         RGB(40, 40, 40), RGB(1, 41, 1), RGB(0, 120, 0),
                         RGB(3, 250, 3),  kWhite,        kBlack};
    for (int x = 0; x < 9; ++x) p->RGBSurface()->SetPixel(x, 0, row[x]);
    return p;
}

class HistogramTest : public test::WorkspaceTest {
  protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        w->import(NewPicture(300, 300));
        w->poxc = GreenCrop();
        w->msdownx = 0, w->msdowny = 0, w->msupx = 20, w->msupy = 20;
    }
    // A press and release on the histogram at column x.
    void ClickAt(int x) { test::Drag(w->Canvas3, {x, 50}, {x, 50}); }
    // The bar of bin i: the rows of its column in the channel's colour.
    int BarHeight(int i, Color colour) {
        int n = 0;
        for (int y = 0; y < 256; ++y) n += At(w->pox4, i, y) == colour;
        return n;
    }
};

TEST_F(HistogramTest, FirstDrawChoosesRedAndTheBarsFollowChannelAndScale) {
    w->staticText1->SetText(QStringLiteral("Red"));
    w->StaticText2->SetText(QStringLiteral("Green"));
    ASSERT_FALSE(ControlVisible(w->CheckBox2));
    w->TabPanel1->SetValue(2);
    EXPECT_TRUE(w->histoRed_RB->Value());
    EXPECT_TRUE(ControlVisible(w->CheckBox2));
    EXPECT_EQ(w->CheckBox2->Caption(), QStringLiteral("Count non-reds"));
    EXPECT_EQ(w->staticText1->Text(), QString());
    EXPECT_EQ(w->StaticText2->Text(), QString());
    EXPECT_EQ(w->Canvas3->Backdrop(), w->pox4);
    std::vector<std::int32_t> red(256, 0);
    red[0] = 2, red[1] = 1, red[2] = 1, red[3] = 1, red[7] = 1, red[40] = 1;
    EXPECT_EQ(w->his, red);

    w->CheckBox2->SetValue(true);
    w->histoGreen_RB->SetValue(true);
    EXPECT_EQ(w->CheckBox2->Caption(), QStringLiteral("Count non-greens"));
    EXPECT_TRUE(w->CheckBox2->Value()) << "the check is kept";
    // unscaled: one row per pixel from the bottom
    EXPECT_EQ(BarHeight(40, kGreen), 3);
    EXPECT_EQ(At(w->pox4, 40, 253), kGreen);
    EXPECT_EQ(At(w->pox4, 40, 252), kWhite);
    EXPECT_EQ(BarHeight(41, kGreen), 1);
    EXPECT_EQ(BarHeight(0, kGreen), 1) << "a green of 0 is drawn in bin 0";
    EXPECT_EQ(BarHeight(100, kGreen), 0);
    EXPECT_EQ(BarHeight(255, kGreen), 0) << "white is no data";

    w->CheckBox3->SetValue(true);  // scaled: the tallest bar reaches row 6
    EXPECT_EQ(At(w->pox4, 40, 6), kGreen);
    EXPECT_EQ(At(w->pox4, 40, 5), kWhite);
    EXPECT_EQ(At(w->pox4, 41, 172), kGreen) << "256 - 250 / 3 truncated";
    EXPECT_EQ(At(w->pox4, 41, 171), kWhite);
    EXPECT_EQ(w->Canvas3->Backdrop(), w->pox4);

    w->histoBlue_RB->SetValue(true);
    EXPECT_EQ(w->CheckBox2->Caption(), QStringLiteral("Count non-blues"));
    EXPECT_EQ(BarHeight(0, RGB(0, 0, 255)), 250) << "the tallest of two";
    EXPECT_EQ(BarHeight(9, RGB(0, 0, 255)), 125);

    // Only white and black: no bar at all, scaled or not.
    w->poxc = NewPicture(300, 300);
    w->poxc->RGBSurface()->SetPixel(3, 3, kBlack);
    for (bool scaled : {true, false}) {
        w->CheckBox3->SetValue(scaled);
        w->histodraw();
        for (int i = 0; i < 256; ++i) ASSERT_EQ(BarHeight(i, RGB(0, 0, 255)), 0) << i;
    }
}

TEST_F(HistogramTest, SplitStatisticsAreDrawnOnTheCanvasAtTheCursor) {
    w->TabPanel1->SetValue(2);
    w->histoGreen_RB->SetValue(true);
    const QString none = kNoCoefficientText;
    struct Case {
        int click;
        bool countZero;
        QString n, mean, right, rightMean;
        int rightX;
    } cases[] = {
        {100, false, "n=4", "mean=40.25", "2", "185", 102},
        {100, true, "n=5", "mean=32.2", "2", "185", 102},
        {250, false, "n=6", "mean=88.5", "0", none, 180},
        {-30, false, "n=0", "mean=" + none, "6", "88.5", 2},  // released off the canvas: 0
    };
    for (const Case& c : cases) {
        w->CheckBox2->SetValue(c.countZero);
        ClickAt(c.click);
        const int cursor = std::max(c.click, 0);
        EXPECT_EQ(w->msHistoX, cursor);
        // what the canvas must show: the bars, the four texts and the black line
        PicturePtr want = NewPicture(256, 256);
        Graphics& g = want->Graphics();
        g.DrawPicture(w->pox4, 0, 0);
        g.ForeColor = kBlack;
        g.DrawString(c.n, 2, 11);
        g.DrawString(c.mean, 2, 31);
        g.DrawString(c.right, c.rightX, 21);
        g.DrawString(c.rightMean, c.rightX, 41);
        g.DrawLine(cursor, 0, cursor, 255);
        EXPECT_EQ(w->Canvas3->Surface()->Image(), want->Image()) << "cursor " << c.click;
        EXPECT_EQ(At(w->pox4, cursor, 0), kWhite) << "nothing of it in the histogram picture";
    }
    // A redraw of the bars alone wipes the statistics.
    w->CheckBox3->SetValue(true);
    EXPECT_EQ(w->Canvas3->Surface()->Image(), w->pox4->Image());
}

TEST_F(HistogramTest, WithoutACropNothingIsDrawnButTheStatisticsUseTheLastBins) {
    w->poxc.reset();
    w->staticText1->SetText(QStringLiteral("Red"));
    w->TabPanel1->SetValue(2);
    EXPECT_FALSE(w->histoRed_RB->Value());
    EXPECT_FALSE(ControlVisible(w->CheckBox2));
    EXPECT_EQ(w->staticText1->Text(), QStringLiteral("Red"));
    EXPECT_FALSE(w->pox4);

    w->his.assign(256, 0);
    w->his[10] = 2, w->his[200] = 1;
    w->msHistoX = 50;
    w->Canvas3->Graphics().DrawLine(0, 0, 255, 255);  // wiped by the repaint
    w->histocalc();
    PicturePtr want = NewPicture(256, 256);
    Graphics& g = want->Graphics();
    if (w->Canvas3->Backdrop()) g.DrawPicture(w->Canvas3->Backdrop(), 0, 0);
    g.ForeColor = kBlack;
    g.DrawString(QStringLiteral("n=2"), 2, 11);
    g.DrawString(QStringLiteral("mean=10"), 2, 31);
    g.DrawString(QStringLiteral("1"), 52, 21);
    g.DrawString(QStringLiteral("200"), 52, 41);
    g.DrawLine(50, 0, 50, 255);
    EXPECT_EQ(w->Canvas3->Surface()->Image(), want->Image());
}

// ---- the ROI intensity table -------------------------------------------------------

class IntensityTableTest : public test::WorkspaceTest {
  protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        // The three channels' histograms all differ, so a column that held
        // another channel's counts would show: red 0, 7, 255 once each; green
        // 2 twice, 4 once; blue 3 twice, 9 once.
        PicturePtr p = NewPicture(300, 300);
        const Color row[] = {RGB(0, 2, 3), RGB(255, 4, 3), RGB(7, 2, 9), kBlack, kWhite};
        for (int x = 0; x < 5; ++x) p->RGBSurface()->SetPixel(11 + x, 11, row[x]);
        p->RGBSurface()->SetPixel(10, 11, RGB(5, 5, 5));  // on the outline: not in the crop
        w->import(p);
        w->SetTitle(QStringLiteral("run.2.tif"));
    }
    FolderItemPtr File(const QString& name) { return FolderItem::FromPath(dir.filePath(name)); }
    QByteArray Read(const FolderItemPtr& f) {
        QFile in(f->AbsolutePath());
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("missing");
    }
    QTemporaryDir dir;
};

TEST_F(IntensityTableTest, SavesTheThreeHistogramsOfTheRoiUnderTheChosenName) {
    w->PushButton3->click();
    EXPECT_TRUE(fake_->saveNames.isEmpty()) << "no crop: no dialog";

    test::Drag(w->Canvas1, {10, 10}, {16, 12});
    fake_->saveItems.push_back(File(QStringLiteral("mine.xls")));
    w->PushButton3->click();
    ASSERT_EQ(fake_->saveNames.size(), 1);
    EXPECT_EQ(fake_->saveNames[0], QStringLiteral("run ROI intensities.xls"));
    EXPECT_EQ(fake_->saveFilters[0], QStringLiteral("application/vnd.ms-excel"));
    const QList<QByteArray> lines = Read(File(QStringLiteral("mine.xls"))).split('\n');
    ASSERT_EQ(lines.size(), 259) << "258 lines, each ended by \\n";
    EXPECT_EQ(lines[0], "mine.xls");
    EXPECT_EQ(lines[1], "Intensity\tRed\tGreen\tBlue");
    const std::map<int, QByteArray> counted = {
        {0, "0\t1\t0\t0"}, {2, "2\t0\t2\t0"}, {3, "3\t0\t0\t2"},    {4, "4\t0\t1\t0"},
        {7, "7\t1\t0\t0"}, {9, "9\t0\t0\t1"}, {255, "255\t1\t0\t0"}};
    for (int i = 0; i < 256; ++i) {
        const auto it = counted.find(i);
        const QByteArray want =
            it != counted.end() ? it->second : QByteArray::number(i) + "\t0\t0\t0";
        EXPECT_EQ(lines[i + 2], want) << "intensity " << i;
    }
    EXPECT_EQ(lines[258], "");
    EXPECT_TRUE(fake_->messages.isEmpty());

    w->SetTitle(QStringLiteral("sample"));
    w->PushButton3->click();  // cancelled
    EXPECT_EQ(fake_->saveNames.last(), QStringLiteral("sample ROI intensities.xls"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("mine.xls")});
}

TEST_F(IntensityTableTest, AFileThatCannotBeWrittenIsReportedAndAnOldOneKeptWhole) {
    test::Drag(w->Canvas1, {10, 10}, {16, 12});
    const FolderItemPtr nowhere =
        FolderItem::FromPath(dir.filePath(QStringLiteral("gone/mine.xls")));
    fake_->saveItems.push_back(nowhere);
    w->PushButton3->click();
    EXPECT_EQ(fake_->messages,
              QStringList{QStringLiteral(
                  "The table could not be written to \"mine.xls\": No such file or directory.")});
    EXPECT_FALSE(nowhere->Exists());

    // A table larger than one write chunk over an old one on a disk that
    // fills up part way: the old one keeps every byte.
    const FolderItemPtr old = File(QStringLiteral("old.xls"));
    const QByteArray earlier(20000, 'Q');
    ASSERT_TRUE(old->WriteBytes(earlier));
    for (const WriteFault& f : {WriteFault::AfterBytes(1000), WriteFault::AtFlush()}) {
        ScopedWriteFault full(f);
        fake_->saveItems.push_back(old);
        w->PushButton3->click();
        EXPECT_EQ(Read(old), earlier);
    }
    ASSERT_EQ(fake_->messages.size(), 3);
    EXPECT_TRUE(fake_->messages[2].startsWith(
        QStringLiteral("The table could not be written to \"old.xls\": ")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("old.xls")});

    fake_->saveItems.push_back(old);
    w->PushButton3->click();
    const QByteArray bytes = Read(old);
    EXPECT_TRUE(bytes.startsWith("old.xls\nIntensity\t")) << bytes.left(40).toStdString();
    EXPECT_TRUE(bytes.endsWith("255\t1\t0\t0\n"));
    EXPECT_FALSE(bytes.contains('Q'));
}

}  // namespace
}  // namespace qv
