#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "app/globals.h"
#include "platform/menus.h"
#include "support/workspace_fixture.h"
#include "tools/coefficient_window.h"
#include "tools/core/text_picture.h"
#include "tools/quadrant_calculator.h"
#include "tools/tool_exports.h"
#include "workspace/core/coefficients.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;

class QuadrantCalculatorTest : public test::WorkspaceTest {
protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        w->SetTitle(QStringLiteral("cells.tif"));
    }
    // Opens the calculator as the workspace's command does, on these counts.
    Window2* Open(std::vector<std::int32_t> counts) {
        Module1::iroi = std::move(counts);
        w->calculator();
        return Window2::existing();
    }
    static QStringList Values(const Window2* c) {
        QStringList v;
        for (const EditField* f : {c->UL, c->UR, c->LL, c->LR, c->ULP, c->URP, c->LLP, c->LRP,
                                   c->EditField3, c->EditField9})
            v << f->Text();
        return v;
    }
    FolderItemPtr Item(const QString& name) const {
        return FolderItem::FromPath(dir_.filePath(name));
    }
    static QByteArray Read(const FolderItemPtr& f) {
        QFile in(f->AbsolutePath());
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    }
    QTemporaryDir dir_;
};

TEST_F(QuadrantCalculatorTest, ControlsInCreationOrderWithTheSampleId) {
    Window2* c = Open({250, 1000, 3000, 750});
    ASSERT_TRUE(c);
    QStringList names;
    for (int i = 0; i < c->ControlCount(); ++i) names << c->ControlAt(i)->objectName();
    EXPECT_EQ(names, (QStringList{"ImageWell1", "UL", "UR", "EditField3", "ULP", "URP",
                                  "EditField6", "LL", "LR", "EditField9", "LLP", "LRP",
                                  "EditField12", "EditField1", "StaticText1", "BevelButton1",
                                  "CheckBox1", "StaticText2", "StaticText3"}));
    EXPECT_EQ(c->Title(), QStringLiteral("Quadrant calculator"));
    EXPECT_EQ(c->Width(), 305);
    EXPECT_EQ(c->Height(), 246);
    EXPECT_EQ(c->Left(), w->Left() + w->Width());
    EXPECT_EQ(c->Top(), w->Top());
    EXPECT_EQ(c->EditField1->Text(), QStringLiteral("QV: cells.tif"));
    EXPECT_EQ(c->BevelButton1->Rows(), (QStringList{"As Image", " As Excel sheet"}));
    for (const EditField* hidden : {c->EditField6, c->EditField12}) {
        EXPECT_FALSE(ControlVisible(hidden));
        EXPECT_TRUE(hidden->Text().isEmpty());
    }
    EXPECT_FALSE(c->CheckBox1->Value());
}

TEST_F(QuadrantCalculatorTest, CalculateShowsCountsSharesAndTheAxisLabels) {
    const QString none = kNoCoefficientText;
    struct Case {
        std::vector<std::int32_t> counts;
        QStringList values;  // UL UR LL LR, ULP URP LLP LRP, upper-row, right-column
    };
    const Case cases[] = {
        {{0, 1, 0, 17}, {"0", "1", "0", "17", "0%", "5.5%", "0%", "94%", "100%", "5.5%"}},
        {{5, 0, 7, 0}, {"5", "0", "7", "0", "41%", "0%", "58%", "0%", "0%", none}},
        {{0, 0, 0, 0}, {"0", "0", "0", "0", none, none, none, none, none, none}},
    };
    w->StaticText2->SetText(QStringLiteral("Green"));
    w->StaticText2->SetTextColor(RGB(0, 200, 0));
    w->staticText1->SetText(QStringLiteral("Red"));
    w->staticText1->SetTextColor(RGB(200, 0, 0));
    Window2* c = Open({1, 1, 1, 0});
    EXPECT_EQ(Values(c), (QStringList{"1", "1", "1", "0", "33%", "33%", "33%", "0%", "50%",
                                      "100%"}));
    EXPECT_EQ(c->StaticText2->Text(), QStringLiteral("Green"));
    EXPECT_EQ(c->StaticText2->TextColor(), RGB(0, 200, 0));
    EXPECT_EQ(c->StaticText3->Text(), QStringLiteral("Red"));
    EXPECT_EQ(c->StaticText3->TextColor(), RGB(200, 0, 0));
    EXPECT_EQ(c->focusWidget(), c->EditField1);
    EXPECT_EQ(w->StaticText2->Text(), QStringLiteral("Green")) << "only read from the workspace";

    c->EditField3->setFocus();
    w->staticText1->SetText(QStringLiteral("Blue"));
    for (const Case& k : cases) {
        Module1::iroi = k.counts;
        c->calculate();
        EXPECT_EQ(Values(c), k.values);
    }
    EXPECT_EQ(c->StaticText3->Text(), QStringLiteral("Blue")) << "copied anew at each refresh";
    EXPECT_EQ(c->focusWidget(), c->EditField1);
    EXPECT_TRUE(c->EditField6->Text().isEmpty() && c->EditField12->Text().isEmpty());
}

TEST_F(QuadrantCalculatorTest, SecondOpeningMovesItBackAndKeepsItsTexts) {
    Window2* c = Open({1, 1, 1, 0});
    c->EditField1->SetText(QStringLiteral("mine"));
    c->SetLeft(5);
    c->SetTop(7);
    EXPECT_EQ(Open({9, 9, 9, 9}), c);
    EXPECT_EQ(c->UL->Text(), QStringLiteral("1")) << "nothing recomputed";
    EXPECT_EQ(c->EditField1->Text(), QStringLiteral("mine"));
    EXPECT_EQ(c->Left(), w->Left() + w->Width());
    EXPECT_EQ(c->Top(), w->Top());
}

TEST_F(QuadrantCalculatorTest, ClosingClearsTheFlagThroughTheWorkspacesAccessor) {
    Window2* c = Open({1, 1, 1, 0});
    c->CheckBox1->SetValue(true);
    ASSERT_TRUE(w->calclive);
    EXPECT_FALSE(c->_FileClose_Action());
    EXPECT_FALSE(w->calclive);
    DrainEvents();
    c = Open({1, 1, 1, 0});
    EXPECT_FALSE(c->CheckBox1->Value()) << "a fresh window";

    // With the workspace gone, closing brings up a fresh one, its flag false.
    w->Close();
    DrainEvents();
    ASSERT_FALSE(Window1::existing());
    c->Close();
    ASSERT_TRUE(Window1::existing());
    EXPECT_FALSE(Window1::existing()->calclive);
}

TEST_F(QuadrantCalculatorTest, QuitBuildsNoWindowFromTheCloseHandlers) {
    Open({1, 1, 1, 0});
    w->coefficients();
    ASSERT_EQ(WindowCount(), 3);
    // Front to back: calculator, workspace, coefficient window. Quit closes the
    // back window first, so the calculator closes after the workspace.
    w->Show();
    Window2::existing()->Show();
    QuitApplication();
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_FALSE(Window1::existing());
    EXPECT_FALSE(Quitting());
}

TEST_F(QuadrantCalculatorTest, PictureOfTheEditFieldsOnly) {
    Window2* c = Open({250, 1000, 3000, 750});
    c->EditField1->SetText(QStringLiteral("typed"));
    const std::vector<PictureText> texts = TextPictureLayout(TextControlsOf(*c, false));
    ASSERT_EQ(texts.size(), 13u);
    const PictureText expected[] = {
        {"250", 49, 78, kBlack},  {"1000", 135, 78, kBlack}, {"80%", 220, 78, kBlack},
        {"5%", 49, 102, kBlack},  {"20%", 135, 102, kBlack}, {"", 220, 102, kBlack},
        {"3000", 49, 161, kBlack}, {"750", 135, 161, kBlack}, {"57%", 135, 37, kBlack},
        {"60%", 49, 185, kBlack}, {"15%", 135, 185, kBlack}, {"", 220, 185, kBlack},
        {"typed", 107, 13, kBlack},
    };
    for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i], expected[i]) << i;

    const QString path = dir_.filePath(QStringLiteral("quad.png"));
    fake_->picturePaths.push_back(path);
    c->BevelButton1->ChooseRow(0);
    EXPECT_EQ(fake_->clipboardText, QStringLiteral("QV: cells.tif")) << "from the title";
    const QImage saved(path);
    EXPECT_EQ(saved.size(), QSize(272, 229));
    EXPECT_TRUE(fake_->saveNames.isEmpty());
}

TEST_F(QuadrantCalculatorTest, StatisticsTableUnderTheProposedOrTypedName) {
    Window2* c = Open({250, 1000, 3000, 750});
    fake_->saveItems.push_back(nullptr);  // cancelled: nothing written
    c->BevelButton1->ChooseRow(1);
    EXPECT_EQ(fake_->saveNames, QStringList{"cells.tif QV Quad Stats.xls"});
    EXPECT_EQ(fake_->saveFilters, QStringList{"application/vnd.ms-excel"});

    const FolderItemPtr typed = Item(QStringLiteral("stats"));
    fake_->saveItems.push_back(typed);
    c->BevelButton1->ChooseRow(1);
    EXPECT_EQ(Read(typed), QByteArray("Sample ID:\tQV: cells.tif\n\t57%\n250\t1000\t80%\n"
                                      "5%\t20%\n3000\t750\t\n60%\t15%\n"));
    EXPECT_FALSE(Item(QStringLiteral("stats.xls"))->Exists()) << "the name is kept as typed";

    // Auto refresh off: the table carries what the window shows.
    w->quad();
    fake_->saveItems.push_back(typed);
    c->BevelButton1->ChooseRow(1);
    EXPECT_TRUE(Read(typed).startsWith("Sample ID:\tQV: cells.tif\n\t57%\n"));
    EXPECT_TRUE(fake_->messages.isEmpty());

    const FolderItemPtr nowhere = Item(QStringLiteral("missing/folder/t.xls"));
    fake_->saveItems.push_back(nowhere);
    c->BevelButton1->ChooseRow(1);
    EXPECT_EQ(
        fake_->messages,
        QStringList{"The table could not be written to \"t.xls\": No such file or directory."});
    EXPECT_FALSE(nowhere->Exists());
}

}  // namespace
}  // namespace qv
