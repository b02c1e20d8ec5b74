#include "biorad/biorad_import.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include "biorad/pic_fixtures.h"
#include "platform/longpass.h"
#include "support/session_fixture.h"

namespace qv {
namespace {

using testing::PicBytes;
using testing::PicHeaderBytes;
using testing::Stack433;

class ImportTest : public test::SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        w = Window4::instance();
    }
    void TearDown() override {
        if (Window4::existing()) w->Close();
        SessionTest::TearDown();
    }
    FolderItemPtr File(const QString& name, const QByteArray& bytes) {
        const auto f = FolderItem::FromPath(dir.filePath(name));
        EXPECT_TRUE(f->WriteBytes(bytes));
        return f;
    }
    // A one-image file whose pixel (x, y) is 100 k + 10 y + x.
    FolderItemPtr Channel(const QString& name, int k, int npics = 1) {
        return File(name, PicBytes(4, 3, npics, [k](int, int x, int y) { return 100 * k + 10 * y + x; }));
    }
    FolderItemPtr Folder(const QString& name) {
        EXPECT_TRUE(QDir(dir.path()).mkdir(name));
        return FolderItem::FromPath(dir.filePath(name));
    }
    void Drop(const std::vector<FolderItemPtr>& files) { w->Canvas1->DropFiles(files); }
    Color Merged(int x = 3, int y = 2) const {
        EXPECT_TRUE(w->pix);
        return w->pix ? w->pix->RGBSurface()->Pixel(x, y) : 0xDEADu;
    }
    void ShowAdvanced() {
        w->CheckBox1->SetValue(true);
        ASSERT_TRUE(ControlVisible(w->BevelButton1));
    }

    QTemporaryDir dir;
    Window4* w = nullptr;
};

TEST_F(ImportTest, MenusAndStartingState) {
    EXPECT_EQ(w->Title(), QStringLiteral("Import Biorad file"));
    EXPECT_EQ(w->colmode, QStringLiteral("RGB"));
    EXPECT_EQ(w->BevelButton1->Caption(), QStringLiteral("Phase"));
    EXPECT_EQ(w->BevelButton2->Caption(), QStringLiteral("Omit"));
    EXPECT_EQ(w->BevelButton1->Rows(), (QStringList{"Select gray channel", "-", "R=gray", "G=gray",
                                                    "B=gray", "-", "No gray channel"}));
    EXPECT_EQ(w->BevelButton2->Rows(), (QStringList{"Select channel to ignore", "-", "R=black",
                                                    "G=black", "B=black", "-", "Do not ignore"}));
    EXPECT_EQ(w->Canvas1->AcceptedTypes(), (QStringList{"image/biorad", "image/any"}));
    EXPECT_EQ(w->StaticText2->Text(), QStringLiteral("Import image"));
    EXPECT_EQ(w->StaticText1->Text(), QStringLiteral("Mode"));
    EXPECT_FALSE(ControlVisible(w->BevelButton1));
    EXPECT_FALSE(ControlVisible(w->CheckBox2));
    EXPECT_EQ(w->fola.size(), 3u);
    EXPECT_EQ(w->fseq.size(), 11u);
    // No stack read yet: the controls rebuild the letters and merge nothing.
    w->PopupMenu1->SetListIndex(2);
    EXPECT_EQ(w->colmode, QStringLiteral("GRB"));
    w->BevelButton1->ChooseRow(3);
    EXPECT_EQ(w->BevelButton1->Caption(), QStringLiteral("G=gray"));
    EXPECT_EQ(w->colmode, QStringLiteral("XRB"));
    w->BevelButton2->ChooseRow(2);
    EXPECT_EQ(w->colmode, QStringLiteral("XKB"));
    w->BevelButton2->ChooseRow(3);
    EXPECT_EQ(w->colmode, QStringLiteral("XRB"));
    EXPECT_FALSE(w->pix);
}

TEST_F(ImportTest, ThreeFilesAreSortedByNameAndTheHeaderIsTheLasts) {
    w->PopupMenu1->SetListIndex(4);  // "BRG"
    // c.pic holds one image, a.pic and b.pic two: the count comes from c.pic.
    Drop({Channel("c.pic", 2), Channel("a.pic", 0, 2), Channel("b.pic", 1, 2)});
    EXPECT_EQ(w->Title(), QStringLiteral("c.pic"));
    EXPECT_EQ(w->nfiles, 2);
    EXPECT_EQ(w->fola[0]->Name(), QStringLiteral("a.pic"));
    EXPECT_EQ(w->fola[1]->Name(), QStringLiteral("b.pic"));
    EXPECT_EQ(w->fola[2]->Name(), QStringLiteral("c.pic"));
    EXPECT_EQ(w->fol, w->fola[2]);
    EXPECT_EQ(w->npics, 1);
    EXPECT_EQ(fake_->beeps, 1);
    EXPECT_FALSE(ControlVisible(w->StaticText3));
    EXPECT_EQ(w->StaticText1->Text(), QStringLiteral("Tricolor"));
    EXPECT_EQ(w->colmode, QStringLiteral("BRG"));
    EXPECT_EQ(Merged(), RGB(123, 223, 23));
    EXPECT_EQ(w->Canvas1->Backdrop(), w->pix);
    EXPECT_EQ(w->StaticText2->Text(), QStringLiteral("Change channel order or click Done"));

    // Two files keep the drop order; the header is the second's.
    w->PopupMenu1->SetListIndex(0);
    Drop({Channel("z.pic", 1, 3), Channel("y.pic", 0, 2)});
    EXPECT_EQ(w->Title(), QStringLiteral("z.pic"));
    EXPECT_EQ(w->nfiles, 1);
    EXPECT_EQ(w->fola[0]->Name(), QStringLiteral("z.pic"));
    EXPECT_EQ(w->fol->Name(), QStringLiteral("y.pic"));
    EXPECT_EQ(w->npics, 2);
    EXPECT_EQ(Merged(), RGB(123, 23, 0));
}

TEST_F(ImportTest, AOneImageFileShowsGreyAtOnceAndTheWindowFitsIt) {
    Drop({File("one.PIC", PicBytes(768, 512, 1, [](int, int x, int y) { return x + y; }))});
    EXPECT_EQ(w->StaticText1->Text(), QStringLiteral("Gray"));
    EXPECT_EQ(w->StaticText2->Text(), QStringLiteral("Processing 768x512px, 1 channel"));
    EXPECT_EQ(Merged(5, 7), RGB(12, 12, 12));
    EXPECT_EQ(Merged(767, 511), RGB(254, 254, 254));
    EXPECT_EQ(w->Canvas1->Backdrop(), w->pix);
    EXPECT_EQ(w->Canvas1->width(), 768);
    EXPECT_EQ(w->Canvas1->height(), 632);
    EXPECT_EQ(w->Width(), 818);
    EXPECT_EQ(w->Height(), 632);
    EXPECT_EQ(w->StaticText2->width(), 818);
    EXPECT_EQ(ControlTop(w->PushButton1), 342 + 632 - 391) << "follows the bottom edge";
    EXPECT_EQ(ControlLeft(w->PushButton1), 214 + 818 - 303) << "follows the right edge";
    // A re-merge makes it a red picture of that image.
    w->PopupMenu1->SetListIndex(1);
    EXPECT_EQ(Merged(5, 7), RGB(12, 0, 0));
}

TEST_F(ImportTest, TheChannelControlsReMergeTheStack) {
    ShowAdvanced();
    Drop({File("s.pic", Stack433())});
    EXPECT_EQ(w->StaticText1->Text(), QStringLiteral("Tricolor"));
    EXPECT_EQ(Merged(), RGB(23, 123, 223));
    struct Step {
        std::function<void(Window4*)> act;
        const char* letters;
        Color expected;
    };
    const Step steps[] = {
        {[](Window4* w) { w->BevelButton1->ChooseRow(2); }, "XGB", RGB(23, 146, 246)},
        {[](Window4* w) { w->BevelButton2->ChooseRow(4); }, "XGK", RGB(23, 146, 23)},
        {[](Window4* w) { w->PopupMenu1->SetListIndex(3); }, "GKX", RGB(223, 246, 223)},
        {[](Window4* w) { w->BevelButton1->ChooseRow(6); }, "GKR", RGB(223, 23, 0)},
        {[](Window4* w) { w->BevelButton2->ChooseRow(3); }, "KBR", RGB(223, 0, 123)},
    };
    for (const Step& s : steps) {
        const PicturePtr before = w->pix;
        s.act(w);
        EXPECT_EQ(w->colmode, QLatin1String(s.letters));
        EXPECT_NE(w->pix, before) << s.letters << ": a new picture each run";
        EXPECT_EQ(Merged(), s.expected) << s.letters;
        EXPECT_EQ(w->Canvas1->Backdrop(), w->pix);
    }
    EXPECT_EQ(w->BevelButton1->Caption(), QStringLiteral("No gray channel"));
    EXPECT_EQ(w->BevelButton2->Caption(), QStringLiteral("G=black"));
}

TEST_F(ImportTest, UntickingShowReMergesOnlyWhenACaptionChanged) {
    ShowAdvanced();
    Drop({File("s.pic", Stack433())});
    PicturePtr before = w->pix;
    w->CheckBox1->SetValue(false);
    EXPECT_EQ(w->pix, before) << "captions untouched: no merge";
    EXPECT_FALSE(ControlVisible(w->BevelButton1));
    EXPECT_FALSE(ControlVisible(w->CheckBox2));

    ShowAdvanced();
    w->BevelButton2->ChooseRow(4);
    EXPECT_EQ(Merged(), RGB(23, 123, 0));
    before = w->pix;
    w->CheckBox1->SetValue(false);
    EXPECT_EQ(w->BevelButton2->Caption(), QStringLiteral("Omit"));
    EXPECT_EQ(w->BevelButton2->MenuValue(), 0);
    EXPECT_EQ(w->BevelButton1->MenuValue(), 0);
    EXPECT_NE(w->pix, before);
    EXPECT_EQ(Merged(), RGB(23, 123, 223));
}

TEST_F(ImportTest, MovieCheckedMergesNothingUntilUnchecked) {
    ShowAdvanced();
    w->CheckBox2->SetValue(true);
    w->CheckBox1->SetValue(false);  // hidden, still checked
    EXPECT_TRUE(w->CheckBox2->Value());
    Drop({File("s.pic", Stack433())});
    EXPECT_EQ(w->StaticText1->Text(), QStringLiteral("Movie"));
    EXPECT_FALSE(w->pix);
    w->PopupMenu1->SetListIndex(3);
    EXPECT_EQ(w->colmode, QStringLiteral("GBR"));
    EXPECT_FALSE(w->pix);
    w->framen = 2;
    w->CheckBox2->SetValue(false);
    EXPECT_EQ(w->framen, 0);
    w->PopupMenu1->SetListIndex(0);
    EXPECT_EQ(Merged(), RGB(23, 123, 223));
}

TEST_F(ImportTest, ASeveralFileMergeReadsFramenAndStepsTheMovieProgress) {
    ShowAdvanced();
    w->CheckBox2->SetValue(true);
    // Pixel (x, y) of image i of file k is 60 k + 10 i + x + y.
    auto file = [this](const QString& name, int k) {
        return File(name, PicBytes(4, 3, 4, [k](int i, int x, int y) { return 60 * k + 10 * i + y + x; }));
    };
    Drop({file("a.pic", 0), file("b.pic", 1), file("c.pic", 2)});
    ASSERT_EQ(w->StaticText1->Text(), QStringLiteral("Movie"));
    ASSERT_FALSE(w->pix);
    w->framen = 1;
    w->renderseq();
    EXPECT_EQ(Merged(), RGB(15, 75, 135));
    // The bar steps by int(value + 100 / npics * k / files) before each file k.
    EXPECT_EQ(w->ProgressBar1->Value(), 24);
}

TEST_F(ImportTest, ARefusedDropChangesNothing) {
    Drop({Channel("a.pic", 0, 3), Channel("b.pic", 1, 3)});
    ASSERT_EQ(w->nfiles, 1);
    const QString title = w->Title(), status = w->StaticText2->Text(), mode = w->StaticText1->Text();
    const std::vector<FolderItemPtr> fola = w->fola;
    const FolderItemPtr fol = w->fol;
    const PicturePtr pix = w->pix;
    const int width = w->Width(), beeps = fake_->beeps;
    QByteArray truncated = Stack433();
    truncated.chop(1);
    struct Case {
        const char* what;
        std::vector<FolderItemPtr> files;
        const char* message;  // part of the message; none for a drop that carries no file
    };
    const FolderItemPtr good = File("g.pic", Stack433());
    const Case cases[] = {
        {"four files", {good, good, good, good}, "At most three"},
        {"truncated", {File("t.pic", truncated)}, "\"t.pic\" is shorter"},
        {"width -1", {File("w.pic", PicHeaderBytes(0xFFFF, 3, 3) + QByteArray(99, 'x'))}, "-1 x 3"},
        {"too short for a header", {File("h.pic", QByteArray(5, 'x'))}, "too short"},
        {"huge header, tiny file", {File("huge.pic", PicHeaderBytes(8192, 8192, 32767))}, "shorter"},
        {"over the limit", {File("big.pic", PicHeaderBytes(9000, 9000, 1))}, "largest"},
        {"sizes differ", {good, File("o.pic", PicBytes(5, 3, 3, [](int, int, int) { return 0; }))},
         "one size"},
        {"fewer images", {File("f.pic", PicBytes(4, 3, 2, [](int, int, int) { return 0; })), good},
         "fewer than the 3"},
        {"gone", {FolderItem::FromPath(dir.filePath("gone.pic"))}, "cannot be opened"},
        {"a folder", {Folder("folder.pic")}, "\"folder.pic\""},
        {"no PIC or picture file", {File("notes.txt", Stack433())}, nullptr},
        {"no file", {}, nullptr},
    };
    for (const Case& c : cases) {
        const qsizetype messages = fake_->messages.size();
        Drop(c.files);
        if (c.message) {
            ASSERT_EQ(fake_->messages.size(), messages + 1) << c.what;
            EXPECT_TRUE(fake_->messages.last().contains(QLatin1String(c.message)))
                << c.what << ": " << fake_->messages.last().toStdString();
        } else {
            EXPECT_EQ(fake_->messages.size(), messages) << c.what;
        }
        EXPECT_EQ(w->Title(), title) << c.what;
        EXPECT_EQ(w->StaticText2->Text(), status) << c.what;
        EXPECT_EQ(w->StaticText1->Text(), mode) << c.what;
        EXPECT_EQ(w->fola, fola) << c.what;
        EXPECT_EQ(w->fol, fol) << c.what;
        EXPECT_EQ(w->nfiles, 1) << c.what;
        EXPECT_EQ(w->pix, pix) << c.what;
        EXPECT_EQ(w->Canvas1->Backdrop(), pix) << c.what;
        EXPECT_EQ(w->Width(), width) << c.what;
        EXPECT_EQ(fake_->beeps, beeps) << c.what;
    }
    w->Canvas1_DropObject({});
    EXPECT_EQ(w->nfiles, 1);
}

TEST_F(ImportTest, AFileChangedSinceTheIntakeKeepsTheLastPicture) {
    const FolderItemPtr f = File("s.pic", Stack433());
    Drop({f});
    const PicturePtr pix = w->pix;
    const QString status = w->StaticText2->Text();
    struct Case {
        const char* what;
        std::function<void()> change;
    };
    const Case cases[] = {
        {"other size", [&] { f->WriteBytes(PicBytes(5, 3, 3, [](int, int, int) { return 0; })); }},
        {"shrunk", [&] { f->WriteBytes(Stack433().left(90)); }},
        {"fewer images", [&] { f->WriteBytes(PicBytes(4, 3, 2, [](int, int, int) { return 0; })); }},
        {"gone", [&] { QFile::remove(f->AbsolutePath()); }},
    };
    int row = 0;
    for (const Case& c : cases) {
        c.change();
        const qsizetype messages = fake_->messages.size();
        w->PopupMenu1->SetListIndex(++row % 6);
        ASSERT_EQ(fake_->messages.size(), messages + 1) << c.what;
        EXPECT_TRUE(fake_->messages.last().contains(QLatin1String("\"s.pic\" has changed or is gone")))
            << c.what;
        EXPECT_EQ(w->pix, pix) << c.what;
        EXPECT_EQ(w->Canvas1->Backdrop(), pix) << c.what;
        EXPECT_EQ(w->StaticText2->Text(), status) << c.what;
    }
    // The same file put back merges again.
    f->WriteBytes(Stack433());
    w->PopupMenu1->SetListIndex(0);
    EXPECT_EQ(Merged(), RGB(23, 123, 223));
}

TEST_F(ImportTest, NoDropIsTakenWhileALongPassRuns) {
    {
        LongPass pass;
        Drop({File("s.pic", Stack433())});
    }
    EXPECT_FALSE(w->pix);
    EXPECT_EQ(w->Title(), QStringLiteral("Import Biorad file"));
    EXPECT_EQ(fake_->beeps, 0);
}

TEST_F(ImportTest, FilesDroppedOnTheCanvasOrItsHintAreTaken) {
    const FolderItemPtr f = File("s.pic", Stack433());
    w->Show();
    test::DrainEvents();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(f->AbsolutePath())});
    // The hint lies over the canvas and lets the drop through to it.
    EXPECT_EQ(w->Content()->childAt(ControlLeft(w->StaticText3) + 5, ControlTop(w->StaticText3) + 5),
              w->Canvas1);
    QDragEnterEvent enter(QPoint(30, 30), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QCoreApplication::sendEvent(w->Canvas1, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(30, 30), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QCoreApplication::sendEvent(w->Canvas1, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(w->Title(), QStringLiteral("s.pic"));
    EXPECT_EQ(Merged(), RGB(23, 123, 223));
}

}  // namespace
}  // namespace qv
