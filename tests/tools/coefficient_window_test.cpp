#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>

#include "platform/core/whole_file_writer.h"
#include "support/workspace_fixture.h"
#include "tools/coefficient_window.h"
#include "tools/core/text_picture.h"
#include "tools/tool_exports.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;

enum Row { kSheet = 0, kAppend = 1, kPicture = 2, kEmpty = 3 };

const QByteArray kBlock =
    "Sample ID:QV: cells.pic\t \n\tco-localizes with\tQV: cells.pic\tn\nRed\tGreen\t0.6\t1\n"
    "Red\tBlue\t\t\nGreen\tRed\t0.52\t1\nGreen\tBlue\t\t\nBlue\tRed\t\t\nBlue\tGreen\t\t\n";

// The workspace's ROI holds three pixels; the quadrant mask at the cross-point
// (60, 155) of "rg" counts green from 60 and red from 100.
class CoefficientWindowTest : public test::WorkspaceTest {
protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        w->SetTitle(QStringLiteral("cells.pic"));
        w->poxc = NewPicture(5, 3);
        w->poxc->RGBSurface()->SetPixel(1, 1, RGB(150, 90, 0));
        w->poxc->RGBSurface()->SetPixel(2, 1, RGB(100, 50, 0));
        w->poxc->RGBSurface()->SetPixel(3, 1, RGB(0, 80, 0));
        w->msdownx = 0, w->msdowny = 0, w->msupx = 4, w->msupy = 2;
        w->ms3upx = 60, w->ms3upy = 155;
        w->coefficients();
        c = Window6::existing();
        ASSERT_TRUE(c);
        c->CheckBox2->SetValue(true);  // the mask, recomputed
    }
    FolderItemPtr Item(const QString& name) const {
        return FolderItem::FromPath(dir_.filePath(name));
    }
    static QByteArray Read(const FolderItemPtr& f) {
        QFile in(f->AbsolutePath());
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    }
    static void Put(const FolderItemPtr& f, const QByteArray& bytes) {
        QFile out(f->AbsolutePath());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    Window6* c = nullptr;
    QTemporaryDir dir_;
};

TEST_F(CoefficientWindowTest, SaveMenuRowsAndTheInertFourth) {
    EXPECT_EQ(c->BevelButton1->Rows(),
              (QStringList{"As Excel sheet", "In last sheet", "As picture", ""}));
    EXPECT_EQ(c->BevelButton1->Caption(), QStringLiteral("Save"));
    EXPECT_EQ(c->BevelButton1->HasMenu(), 2);
    c->BevelButton1->ChooseRow(kEmpty);
    EXPECT_TRUE(fake_->saveNames.isEmpty() && fake_->openFilters.isEmpty());
    EXPECT_EQ(fake_->pictureDialogs, 0);
    EXPECT_TRUE(fake_->clipboardText.isEmpty());
}

TEST_F(CoefficientWindowTest, NewSheetThenOneAppendHoldTwoBlocks) {
    const FolderItemPtr f = Item(QStringLiteral("cells_rg_Coefficients.xls"));
    fake_->saveItems.push_back(f);
    c->BevelButton1->ChooseRow(kSheet);
    EXPECT_EQ(fake_->saveNames, QStringList{"cells_rg_Coefficients.xls"});
    EXPECT_EQ(fake_->saveFilters, QStringList{"application/excel"});
    EXPECT_EQ(Read(f), kBlock);

    fake_->openItems.push_back(f);
    c->BevelButton1->ChooseRow(kAppend);
    EXPECT_EQ(fake_->openFilters, QStringList{"application/excel"});
    EXPECT_EQ(Read(f), kBlock + kBlock);
    EXPECT_EQ(Read(f).count('\n'), 16);

    fake_->openItems.push_back(nullptr);  // cancelled
    c->BevelButton1->ChooseRow(kAppend);
    EXPECT_EQ(Read(f), kBlock + kBlock);
    EXPECT_TRUE(fake_->messages.isEmpty());
}

TEST_F(CoefficientWindowTest, ChosenNamesGetTheSheetExtension) {
    struct Case {
        const char *chosen, *written;
    };
    const Case cases[] = {
        {"data", "data.xls"},
        {"data.txt", "data.txt.xls"},
        {"data.XLS", "data.XLS"},
    };
    for (const Case& k : cases) {
        fake_->saveItems.push_back(Item(QString::fromUtf8(k.chosen)));
        c->BevelButton1->ChooseRow(kSheet);
        EXPECT_EQ(Read(Item(QString::fromUtf8(k.written))), kBlock) << k.chosen;
    }
    EXPECT_FALSE(Item(QStringLiteral("data"))->Exists());
    EXPECT_FALSE(Item(QStringLiteral("data.txt"))->Exists());
    EXPECT_TRUE(fake_->questions.isEmpty()) << "no name it made existed before";

    w->SetTitle(QStringLiteral(".x"));
    c->BevelButton1->ChooseRow(kSheet);  // cancelled
    EXPECT_EQ(fake_->saveNames.last(), QStringLiteral("_rg_Coefficients.xls"));
}

TEST_F(CoefficientWindowTest, AddedExtensionAsksBeforeReplacingAFile) {
    const FolderItemPtr existing = Item(QStringLiteral("data.xls"));
    Put(existing, "keep me\n");
    fake_->saveItems.push_back(Item(QStringLiteral("data")));
    fake_->confirmReplies.push_back(false);
    c->BevelButton1->ChooseRow(kSheet);
    EXPECT_EQ(fake_->questions,
              QStringList{"\"data.xls\" already exists. Do you want to replace it? [Replace]"});
    EXPECT_EQ(Read(existing), QByteArray("keep me\n"));

    fake_->saveItems.push_back(Item(QStringLiteral("data")));
    fake_->confirmReplies.push_back(true);
    c->BevelButton1->ChooseRow(kSheet);
    EXPECT_EQ(fake_->questions.size(), 2);
    EXPECT_EQ(Read(existing), kBlock);

    Put(existing, "old\n");
    fake_->saveItems.push_back(existing);  // chosen as it is: the dialog asked already
    c->BevelButton1->ChooseRow(kSheet);
    EXPECT_EQ(fake_->questions.size(), 2);
    EXPECT_EQ(Read(existing), kBlock);
}

TEST_F(CoefficientWindowTest, FailuresAreReportedAndWriteNothing) {
    const FolderItemPtr workbook = Item(QStringLiteral("book.xls"));
    const QByteArray binary("\xd0\xcf\x11\xe0\0\0\x01", 7);
    Put(workbook, binary);
    fake_->openItems.push_back(workbook);
    c->BevelButton1->ChooseRow(kAppend);
    ASSERT_EQ(fake_->messages.size(), 1);
    EXPECT_TRUE(fake_->messages[0].startsWith(QStringLiteral("\"book.xls\" is not a plain text")));
    EXPECT_EQ(Read(workbook), binary);

    // An append after a last line without its line end starts on a new line.
    const FolderItemPtr open = Item(QStringLiteral("notes.xls"));
    Put(open, "last line");
    fake_->openItems.push_back(open);
    c->BevelButton1->ChooseRow(kAppend);
    EXPECT_EQ(Read(open), "last line\n" + kBlock);

    const FolderItemPtr nowhere = Item(QStringLiteral("no/such/sheet.xls"));
    fake_->saveItems.push_back(nowhere);
    c->BevelButton1->ChooseRow(kSheet);
    EXPECT_EQ(fake_->messages.last(),
              QStringLiteral(
                  "The table could not be written to \"sheet.xls\": No such file or directory."));
    EXPECT_FALSE(nowhere->Exists());
}

// A disk that fills up: the new sheet over an earlier one and the append to it
// fail whole, with a message; the earlier sheet keeps every byte and no
// temporary file stays beside it.
TEST_F(CoefficientWindowTest, AFullDiskLeavesTheEarlierSheetAsItWas) {
    const FolderItemPtr sheet = Item(QStringLiteral("sheet.xls"));
    const QByteArray earlier = "Sample ID:QV: older.pic\t \nRed\tGreen\t0.5\t13\n";
    ASSERT_EQ(earlier.size(), 43);
    Put(sheet, earlier);
    const QStringList only{QStringLiteral("sheet.xls")};
    const QString failed = QStringLiteral("The table could not be written to \"sheet.xls\": ");
    {
        ScopedWriteFault full(WriteFault::AtFlush());
        fake_->saveItems.push_back(sheet);
        c->BevelButton1->ChooseRow(kSheet);
        ASSERT_EQ(fake_->messages.size(), 1);
        EXPECT_TRUE(fake_->messages[0].startsWith(failed)) << fake_->messages[0].toStdString();
        EXPECT_EQ(Read(sheet), earlier);
        EXPECT_EQ(
            QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            only);
    }
    {
        // The old content reaches the new file, the block only partly.
        ScopedWriteFault full(WriteFault::AfterBytes(earlier.size() + 20));
        fake_->openItems.push_back(sheet);
        c->BevelButton1->ChooseRow(kAppend);
        ASSERT_EQ(fake_->messages.size(), 2);
        EXPECT_TRUE(fake_->messages[1].startsWith(failed));
        EXPECT_EQ(Read(sheet), earlier);
        EXPECT_EQ(
            QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            only);
        EXPECT_EQ(full.Struck(), 1);
    }
    fake_->openItems.push_back(sheet);
    c->BevelButton1->ChooseRow(kAppend);
    EXPECT_EQ(Read(sheet), earlier + kBlock) << "with room on the disk the same append lands";
    EXPECT_EQ(fake_->messages.size(), 2);
}

TEST_F(CoefficientWindowTest, PictureOfEveryTextInItsPensColour) {
    c->EditField7->SetText(QStringLiteral("typed"));
    const std::vector<PictureText> texts = TextPictureLayout(TextControlsOf(*c, true));
    ASSERT_EQ(texts.size(), 28u) << "26 labels and fields, the sample ID and its label";
    auto find = [&](int x, int baseline) {
        for (const PictureText& t : texts)
            if (t.x == x && t.baseline == baseline) return t;
        return PictureText{"<none>", x, baseline, kWhite};
    };
    EXPECT_EQ(find(20, 14), (PictureText{"Sample ID:", 20, 14, kBlack}));
    EXPECT_EQ(find(96, 13), (PictureText{"typed", 96, 13, kBlack})) << "left by StaticText20";
    EXPECT_EQ(find(57, 39), (PictureText{"co-localizes with", 57, 39, kBlack}));
    EXPECT_EQ(find(253, 43), (PictureText{"n", 253, 43, kBlack}));
    EXPECT_EQ(find(20, 70), (PictureText{"Red", 20, 70, RGB(127, 0, 0)}));
    EXPECT_EQ(find(92, 230), (PictureText{"Green", 92, 230, RGB(0, 127, 0)}));
    EXPECT_EQ(find(168, 69), (PictureText{"0.6", 168, 69, RGB(0, 0, 127)})) << "left by StaticText8";
    EXPECT_EQ(find(168, 139), (PictureText{"0.52", 168, 139, RGB(0, 0, 127)}));
    EXPECT_EQ(find(168, 229), (PictureText{"", 168, 229, RGB(0, 0, 127)}));
    EXPECT_EQ(find(253, 69), (PictureText{"1", 253, 69, kBlack}));

    c->SetSize(340, 320);
    const QString path = dir_.filePath(QStringLiteral("coeffs.png"));
    fake_->picturePaths.push_back(path);
    c->BevelButton1->ChooseRow(kPicture);
    EXPECT_EQ(fake_->clipboardText, QStringLiteral("rg_coeffs: cells.pic"));
    const QImage saved(path);
    EXPECT_EQ(saved.size(), QSize(340, 320)) << "as large as the window";
    EXPECT_EQ(saved.pixel(330, 310) & 0xFFFFFFu, 0xFFFFFFu);

    fake_->picturePaths.clear();  // cancelled: the label stays
    fake_->clipboardText.clear();
    c->BevelButton1->ChooseRow(kPicture);
    EXPECT_EQ(fake_->clipboardText, QStringLiteral("rg_coeffs: cells.pic"));
}

TEST_F(CoefficientWindowTest, ReopenedWindowShowsTheLiveFlagAsItStands) {
    c->CheckBox1->SetValue(true);
    ASSERT_TRUE(w->coefflive);
    const QPointer<Window6> first = c;
    c->Close();
    DrainEvents();
    EXPECT_TRUE(w->coefflive) << "closing keeps the flag";
    w->coefficients();
    Window6* again = Window6::existing();
    // the new window may take the closed one's address once that is freed
    ASSERT_TRUE(again && (first.isNull() || first.data() != again));
    EXPECT_TRUE(again->CheckBox1->Value());
    EXPECT_FALSE(again->CheckBox2->Value());
    again->CheckBox1->SetValue(false);
    EXPECT_FALSE(w->coefflive);
    again->Close();
    DrainEvents();
    w->coefficients();
    EXPECT_FALSE(Window6::existing()->CheckBox1->Value());
}

TEST_F(CoefficientWindowTest, TheQuadrantMaskWithoutAWorkspacePlacesTheWindowBesideAFreshOne) {
    c->CheckBox2->SetValue(false);
    w->Close();
    DrainEvents();
    ASSERT_FALSE(Window1::existing());
    c->CheckBox2->SetValue(true);  // reaches the workspace, so builds one
    Window1* fresh = Window1::existing();
    ASSERT_TRUE(fresh);
    DrainEvents();
    ASSERT_TRUE(fresh->Visible());
    EXPECT_EQ(c->Left(), fresh->Left() + fresh->Width()) << "beside where it shows, centred";
    EXPECT_EQ(c->Top(), fresh->Top() + 250);
}

}  // namespace
}  // namespace qv
