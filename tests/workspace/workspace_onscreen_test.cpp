#include <gtest/gtest.h>

#include <vector>

#include "platform/longpass.h"
#include "support/workspace_fixture.h"
#include "tools/area_analyzer.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

Color At(const PicturePtr& p, int x, int y) {
    return p->RGBSurface()->Pixel(x, y);
}

const QString kCancelled = QStringLiteral(
    "On-screen rendition was cancelled by someone like you. The result should not be trusted.");

// Row 11 of the image holds the pixels the tests look at, at x = 11, 12, ...;
// the rest of the image is a dull green.
constexpr Color kDull = RGB(1, 250, 1);
const std::vector<Color> kRow = {
    RGB(100, 30, 5),   // 11: in the section; on the quadrants' cross-point
    RGB(75, 20, 255),  // 12: on the section's corner
    RGB(160, 30, 0),   // 13: red above the section
    RGB(74, 61, 0),    // 14: red below, green right of the section
    RGB(200, 90, 0),   // 15: upper right of the cross-point
    RGB(20, 200, 0),   // 16: lower right
    RGB(50, 10, 0),    // 17: lower left
    RGB(180, 5, 0),    // 18: upper left
    RGB(0, 0, 77),     // 19: no red, no green
    RGB(255, 255, 0),  // 20: saturated red and green
};

class OnScreenTest : public test::WorkspaceTest {
  protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        PicturePtr p = NewPicture(300, 300);
        p->Graphics().ForeColor = kDull;
        p->Graphics().FillRect(0, 0, 300, 300);
        for (size_t i = 0; i < kRow.size(); ++i)
            p->RGBSurface()->SetPixel(11 + static_cast<int>(i), 11, kRow[i]);
        // a block of section pixels for the cancel: columns 41..59, rows 41..49
        p->Graphics().ForeColor = RGB(100, 30, 5);
        p->Graphics().FillRect(41, 41, 19, 9);
        w->import(p);
        ASSERT_EQ(w->imgsize, 300);
    }
    void Section(int x1, int y1, int x2, int y2) {
        w->ms3downx = x1, w->ms3downy = y1, w->ms3upx = x2, w->ms3upy = y2;
    }
    // Which of the row's pixels are white on the image canvas.
    std::vector<bool> PaintedRow() {
        std::vector<bool> out;
        for (size_t i = 0; i < kRow.size(); ++i)
            out.push_back(At(w->Canvas1->Backdrop(), 11 + static_cast<int>(i), 11) == kWhite);
        return out;
    }
    static std::vector<bool> Only(std::initializer_list<int> xs) {
        std::vector<bool> v(kRow.size(), false);
        for (int x : xs) v[static_cast<size_t>(x - 11)] = true;
        return v;
    }
};

TEST_F(OnScreenTest, PaintsTheSectionsPixelsWhiteOnTheCanvasOnly) {
    test::Drag(w->Canvas1, {10, 10}, {30, 14});
    const QImage pix = w->pix->Image().copy(), crop = w->poxc->Image().copy();
    Section(20, 100, 60, 180);
    w->PushButton5->click();
    EXPECT_EQ(PaintedRow(), Only({11, 12}));
    EXPECT_EQ(At(w->Canvas1->Surface(), 12, 11), kWhite) << "shown";
    EXPECT_EQ(At(w->Canvas1->Backdrop(), 10, 11), RGB(255, 255, 0)) << "the outline stays";
    EXPECT_EQ(std::vector<int>({w->ondownx, w->ondowny, w->onupx, w->onupy}),
              std::vector<int>({20, 100, 60, 180}));
    EXPECT_EQ(w->rensa, 0);
    EXPECT_EQ(w->quadrotate, 0) << "section mode leaves the rotation";

    Section(0, 0, 255, 255);  // everything but the skipped pixels
    w->PushButton5->click();
    EXPECT_EQ(PaintedRow(), Only({11, 12, 13, 14, 15, 16, 17, 18}));
    Section(20, 100, 40, 120);  // the earlier white is gone first
    w->PushButton5->click();
    EXPECT_EQ(PaintedRow(), Only({}));
    EXPECT_EQ(At(w->Canvas1->Backdrop(), 11, 11), kRow[0]);

    EXPECT_EQ(w->pix->Image(), pix);
    EXPECT_EQ(w->poxc->Image(), crop);
    EXPECT_TRUE(fake_->messages.isEmpty());
}

TEST_F(OnScreenTest, QuadrantModeShowsEachQuadrantInTurnWithItsOutline) {
    test::Drag(w->Canvas1, {10, 10}, {30, 14});
    w->quad_RB->SetValue(true);
    test::Drag(w->Canvas3, {30, 155}, {30, 155});  // the cross-point, and quadrotate 0
    ASSERT_EQ(w->ms3upx, 30);
    ASSERT_EQ(w->ms3upy, 155);
    const QImage backdrop = w->Canvas3->Backdrop()->Image().copy();
    // x 13 lies on the cross-point's column, so in both upper quadrants
    struct Press {
        std::initializer_list<int> painted;
        std::vector<int> outline;  // left, top, width, height
    } presses[] = {
        {{11, 13, 15}, {29, 0, 226, 156}}, {{11, 14, 16}, {29, 154, 226, 101}},
        {{11, 12, 17}, {0, 154, 31, 101}}, {{11, 13, 18}, {0, 0, 31, 156}},
        {{11, 13, 15}, {29, 0, 226, 156}},
    };
    int n = 0;
    for (const Press& p : presses) {
        w->PushButton5->click();
        ++n;
        EXPECT_EQ(PaintedRow(), Only(p.painted)) << "press " << n;
        EXPECT_EQ(w->quadrotate, n % 4);
        PicturePtr want = NewPicture(256, 256);
        Graphics& g = want->Graphics();
        g.DrawPicture(w->Canvas3->Backdrop(), 0, 0);
        g.ForeColor = RGB(255, 128, 0);
        g.PenWidth = 2;
        g.PenHeight = 2;
        g.DrawRect(p.outline[0], p.outline[1], p.outline[2], p.outline[3]);
        EXPECT_EQ(w->Canvas3->Surface()->Image(), want->Image()) << "press " << n;
        EXPECT_EQ(w->Canvas3->Backdrop()->Image(), backdrop) << "the outline is not kept";
    }
    w->Canvas3->Refresh();
    EXPECT_EQ(w->Canvas3->Surface()->Image(), backdrop);

    test::Drag(w->Canvas3, {30, 155}, {30, 155});
    EXPECT_EQ(w->quadrotate, 0) << "a new cross-point starts at the upper right";
    w->PushButton5->click();
    EXPECT_EQ(PaintedRow(), Only({11, 13, 15}));
}

TEST_F(OnScreenTest, ACancelStopsRedGreenAfterTheColumnsDoneButBlueGreenNeverPolls) {
    test::Drag(w->Canvas1, {40, 40}, {60, 50});
    Section(20, 100, 60, 180);
    auto paintedColumns = [&] {
        std::vector<int> columns;
        for (int x = 41; x < 60; ++x) {
            int white = 0;
            for (int y = 41; y < 50; ++y) white += At(w->Canvas1->Backdrop(), x, y) == kWhite;
            if (white) {
                EXPECT_EQ(white, 9) << "column " << x;
                columns.push_back(x);
            }
        }
        return columns;
    };
    SimulateCancelAtPoll(2);
    w->PushButton5->click();
    EXPECT_EQ(fake_->messages, QStringList{kCancelled});
    EXPECT_EQ(paintedColumns(), std::vector<int>({41, 42}));

    w->colorModemenu->SetListIndex(2);  // "bg"
    Section(0, 0, 255, 255);
    SimulateCancelAtPoll(1);
    w->PushButton5->click();
    EXPECT_EQ(fake_->messages.size(), 1) << "the bg pass polls nothing";
    EXPECT_EQ(paintedColumns().size(), 19u);

    w->colorModemenu->SetListIndex(1);  // "rb" polls, and nothing is left armed
    w->PushButton5->click();
    EXPECT_EQ(fake_->messages.size(), 1);
    EXPECT_EQ(paintedColumns().size(), 19u);
    SimulateCancelAtPoll(19);
    w->PushButton5->click();
    EXPECT_EQ(fake_->messages.size(), 2) << "the last column's poll still cancels";
    EXPECT_EQ(paintedColumns().size(), 19u);
}

TEST_F(OnScreenTest, NothingWithoutACropAndOnlyTheMessageWhileInMemory) {
    w->PushButton5->click();
    EXPECT_TRUE(fake_->messages.isEmpty());

    test::Drag(w->Canvas1, {10, 10}, {30, 14});
    test::Drag(w->Canvas1, {40, 40}, {60, 50});
    w->BevelButton4->click();  // Memory down
    ASSERT_TRUE(w->BevelButton4->Value());
    Section(0, 0, 255, 255);
    const QImage image = w->Canvas1->Surface()->Image(),
                 fluorogram = w->Canvas3->Surface()->Image();
    w->quad_RB->SetValue(true);
    w->PushButton5->click();
    ASSERT_EQ(fake_->messages.size(), 1);
    EXPECT_TRUE(fake_->messages[0].startsWith(QStringLiteral("On-screen cannot be applied")));
    EXPECT_EQ(w->Canvas1->Surface()->Image(), image);
    EXPECT_EQ(w->Canvas3->Surface()->Image(), fluorogram);
    EXPECT_EQ(w->quadrotate, 0);
}

// ---- area counts ---------------------------------------------------------------------

class AreasTest : public test::WorkspaceTest {
  protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        PicturePtr p = NewPicture(300, 300);
        const Color row[] = {RGB(255, 0, 0), RGB(255, 255, 0), kBlack, kWhite, RGB(10, 20, 30)};
        for (int x = 0; x < 5; ++x) p->RGBSurface()->SetPixel(11 + x, 11, row[x]);
        p->RGBSurface()->SetPixel(10, 11, RGB(90, 90, 90));  // on the outline: not in the crop
        w->import(p);
    }
    void TearDown() override {
        if (Window9* a = Window9::existing()) a->Close();
        test::WorkspaceTest::TearDown();
    }
    QStringList Fields(Window9* a) {
        QStringList out;
        for (EditField* f : {a->EditField1, a->EditField2, a->EditField3, a->EditField10,
                             a->EditField11, a->EditField12})
            out << f->Text();
        return out;
    }
};

TEST_F(AreasTest, ARectangleOrOvalDrawnWithTheAnalyzerOpenIsCounted) {
    test::Drag(w->Canvas1, {10, 10}, {16, 12});
    EXPECT_FALSE(Window9::existing()) << "no analyzer is opened for the counts";

    Window9* a = Window9::instance();
    a->Show();
    ASSERT_TRUE(w->areaongoing);
    EXPECT_EQ(Fields(a), QStringList({"", "", "", "", "", ""})) << "no recount on opening";
    test::Drag(w->Canvas1, {10, 10}, {16, 12});
    EXPECT_EQ(Fields(a), QStringList({"3", "2", "1", "520", "275", "30"}));

    const QStringList oval = {"4", "3", "2", "610", "365", "120"};
    w->OvalRoi_RB->SetValue(true);
    test::Drag(w->Canvas1, {8, 5}, {19, 17});  // the oval holds the grey pixel on x 10 too
    EXPECT_EQ(Fields(a), oval);

    w->PushButton1->click();  // Select all: the fields stay
    EXPECT_EQ(Fields(a), oval);
    w->polyRoi_RB->SetValue(true);  // so does a polygon
    auto click = [&](int x, int y) {
        QTest::mouseClick(w->Canvas1, Qt::LeftButton, {}, QPoint(x, y));
    };
    click(5, 5);
    w->Timer3->Fire();
    click(40, 5);
    w->Timer3->Fire();
    click(40, 40);
    click(40, 40);  // the double-click closes it
    ASSERT_FALSE(w->polyongoing);
    ASSERT_EQ(w->msupx, 40);
    EXPECT_EQ(Fields(a), oval);
}

}  // namespace
}  // namespace qv
