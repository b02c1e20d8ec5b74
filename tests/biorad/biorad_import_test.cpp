#include "biorad/biorad_import.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "biorad/core/frame_series.h"
#include "app/globals.h"
#include "biorad/pic_fixtures.h"
#include "platform/core/whole_file_writer.h"
#include "platform/longpass.h"
#include "platform/movie.h"
#include "support/named_pipe.h"
#include "support/session_fixture.h"
#include "workspace/core/frame_sequence.h"
#include "workspace/workspace_window.h"

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
    void CheckMovie() {
        ShowAdvanced();
        w->CheckBox2->SetValue(true);
    }
    // Channel file c of a time series: every byte of image t is 40 t + 10 c.
    FolderItemPtr SeriesFile(const QString& name, int c, int frames, int nx = 64, int ny = 48) {
        return File(name, PicBytes(nx, ny, frames, [c](int t, int, int) { return 40 * t + 10 * c; }));
    }
    std::vector<FolderItemPtr> ThreeChannels(int frames) {
        return {SeriesFile("ch0.pic", 0, frames), SeriesFile("ch1.pic", 1, frames),
                SeriesFile("ch2.pic", 2, frames)};
    }
    // The folder the next save dialog answers with.
    FolderItemPtr ExportTo(const QString& name) {
        const FolderItemPtr f = FolderItem::FromPath(dir.filePath(name));
        fake_->saveItems.push_back(f);
        return f;
    }
    // "Done" with "Movie": the names of the frame files the workspace then
    // steps through; its counter reads 1 of them all.
    QStringList HandOver() {
        w->PushButton1_Action();
        Window1* ws = Window1::existing();
        if (!ws) return {QStringLiteral("<no workspace>")};
        QStringList names;
        for (int i = 0; i <= ws->nbilds; ++i)
            names << ws->fola[static_cast<std::size_t>(i)]->Name();
        EXPECT_EQ(ws->StaticText4->Text(), QStringLiteral("1/%1").arg(names.size()));
        return names;
    }
    QStringList Entries(const QString& folder = QString()) const {
        return QDir(folder.isEmpty() ? dir.path() : dir.filePath(folder))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }
    std::vector<MovieFrame> Movie(const QString& path) const {
        QFile f(dir.filePath(path));
        return f.open(QIODevice::ReadOnly) ? DecodeMovie(f.readAll()) : std::vector<MovieFrame>();
    }
    // Whether every pixel of p is c.
    static bool Everywhere(const PicturePtr& p, int width, int height, Color c) {
        if (!p || p->Width() != width || p->Height() != height) return false;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (p->RGBSurface()->Pixel(x, y) != c) return false;
        return true;
    }
    static Color Frame(int t) { return RGB(40 * t, 40 * t + 10, 40 * t + 20); }

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

TEST_F(ImportTest, AfterAnyStackEveryControlShowsWholeAndApart) {
    struct Case {
        int nx, ny;
        bool show;
        QSize window;  // never narrower than every control needs
    };
    const Case cases[] = {{16, 16, false, {268, 136}},   {16, 16, true, {268, 136}},
                          {64, 48, false, {268, 168}},   {64, 48, true, {268, 168}},
                          {128, 128, true, {268, 248}},  {768, 512, false, {818, 632}},
                          {768, 512, true, {818, 632}}};
    const auto rect = [](const QWidget* c) {
        return QRect(ControlLeft(c), ControlTop(c), c->width(), c->height());
    };
    for (const Case& c : cases) {
        const std::string at = std::to_string(c.nx) + "x" + std::to_string(c.ny) +
                               (c.show ? " with Show" : " without Show");
        w->CheckBox1->SetValue(false);
        Drop({File("s.pic",
                   PicBytes(c.nx, c.ny, 3, [](int k, int x, int y) { return k + x + y; }))});
        w->CheckBox1->SetValue(c.show);
        ASSERT_EQ(w->StaticText1->Text(), QStringLiteral("Tricolor")) << at;
        const QRect window(0, 0, w->Width(), w->Height());
        // The canvas keeps the sizing rule's size.
        EXPECT_EQ(w->Canvas1->width(), c.nx) << at;
        EXPECT_EQ(w->Canvas1->height(), c.ny + 120) << at;
        EXPECT_EQ(QSize(w->Width(), w->Height()), c.window) << at;

        std::vector<QWidget*> shown;
        for (QWidget* control : std::initializer_list<QWidget*>{
                 w->PushButton1, w->PushButton2, w->PushButton3, w->PopupMenu1, w->StaticText1,
                 w->CheckBox1, w->BevelButton1, w->BevelButton2, w->CheckBox2})
            if (ControlVisible(control)) shown.push_back(control);
        EXPECT_EQ(shown.size(), c.show ? 9u : 6u) << at;
        const QRect frame = rect(w->GroupBox1);
        EXPECT_TRUE(ControlVisible(w->GroupBox1)) << at;
        EXPECT_GE(frame.top(), 0) << at;
        EXPECT_LE(frame.right(), window.right()) << at;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const QRect a = rect(shown[i]);
            const QString name = shown[i]->objectName();
            EXPECT_TRUE(window.contains(a)) << at << " " << name.toStdString();
            EXPECT_TRUE(frame.contains(a) || !frame.intersects(a))
                << at << " " << name.toStdString() << " lies across the frame";
            for (std::size_t j = i + 1; j < shown.size(); ++j)
                EXPECT_FALSE(a.intersects(rect(shown[j])))
                    << at << " " << name.toStdString() << " over "
                    << shown[j]->objectName().toStdString();
        }
        // The status line spans the window and its longest sentence shows whole.
        EXPECT_EQ(w->StaticText2->width(), w->Width()) << at;
        EXPECT_GE(w->StaticText2->y(), rect(w->PushButton1).bottom()) << at;
        EXPECT_EQ(w->StaticText2->Text(), MergedStatus()) << at;
        EXPECT_EQ(w->StaticText2->font(), w->StaticText2->DeclaredFont())
            << at << ": shown at its own size";

        // A click in the middle of "Open" reaches it: the open dialog comes up.
        const QPoint middle = rect(w->PushButton3).center();
        QWidget* hit = w->Content()->childAt(middle);
        EXPECT_EQ(hit, w->PushButton3) << at;
        if (hit != w->PushButton3) continue;
        const int dialogs = static_cast<int>(fake_->openFilters.size());
        QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(w->Content(), middle));
        EXPECT_EQ(fake_->openFilters.size(), dialogs + 1) << at;
    }
}

TEST_F(ImportTest, ALargeStackSizesTheWindowByTheScreenLessItsPanel) {
    fake_->screenWidth = 1024;
    fake_->screenHeight = 768;
    fake_->availableArea = QRect(0, 60, 1024, 708);  // a 60-pixel panel across the top
    Drop({File("big.pic", PicBytes(2000, 1500, 1, [](int, int x, int y) { return x ^ y; }))});
    EXPECT_EQ(w->Width(), 1024 - 30);
    EXPECT_EQ(w->Height(), 708 - 30);
    EXPECT_LE(w->FrameRect().height(), 708) << "menu bar included";
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
    const test::NamedPipe pipe(dir.filePath("pipe.pic"));
    ASSERT_TRUE(pipe.Made());
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
        {"a folder", {Folder("folder.pic")}, "\"folder.pic\" is not a regular file"},
        {"a named pipe", {pipe.Item()}, "\"pipe.pic\" is not a regular file"},
        {"a pipe among files", {good, pipe.Item()}, "\"pipe.pic\" is not a regular file"},
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

TEST_F(ImportTest, ThreeChannelFilesBecomeTiffFramesAndAMovieInANewFolder) {
    CheckMovie();
    ExportTo("Seq");
    fake_->tiffReplies.push_back({TiffSettings::Compression::Lzw});
    struct Seen {
        bool busy, barShown;
        int bar;
        QRect barPlace;
    };
    std::vector<Seen> atWrites;
    fake_->onTiffWrite = [&](int) {
        atWrites.push_back({LongPass::Busy(), ControlVisible(w->ProgressBar1), w->ProgressBar1->Value(),
                            w->ProgressBar1->geometry()});
    };
    std::vector<Seen> atMessage;
    fake_->onMessage = [&](const QString&) {
        atMessage.push_back({LongPass::Busy(), ControlVisible(w->ProgressBar1), w->ProgressBar1->Value(), {}});
    };
    w->ProgressBar1->SetValue(77);  // left from an earlier export
    Drop(ThreeChannels(5));

    EXPECT_EQ(fake_->saveFilters, QStringList{QString()});
    EXPECT_EQ(fake_->saveNames, QStringList{"Seq"});
    ASSERT_EQ(fake_->tiffDialogs.size(), 1u);
    EXPECT_EQ(fake_->tiffDialogs[0], TiffSettings{});
    ASSERT_EQ(fake_->tiffWrites.size(), 5u);
    EXPECT_EQ(fake_->tiffWrites[4].settings.compression, TiffSettings::Compression::Lzw);
    EXPECT_EQ(Entries("Seq"), (QStringList{"Seq1.tif", "Seq2.tif", "Seq3.tif", "Seq4.tif",
                                           "Seq5.tif", "Seqmovie.mov"}));
    for (int t = 0; t < 5; ++t) {
        const auto frame = FolderItem::FromPath(dir.filePath(QStringLiteral("Seq/Seq%1.tif").arg(t + 1)));
        EXPECT_TRUE(Everywhere(frame->OpenAsPicture(), 64, 48, Frame(t))) << "Seq" << t + 1 << ".tif";
        ASSERT_TRUE(w->fseq[static_cast<std::size_t>(t + 1)]);
        EXPECT_EQ(w->fseq[static_cast<std::size_t>(t + 1)]->AbsolutePath(), frame->AbsolutePath());
    }
    EXPECT_FALSE(w->fseq[0]);
    const std::vector<MovieFrame> movie = Movie("Seq/Seqmovie.mov");
    ASSERT_EQ(movie.size(), 5u);
    for (int t = 0; t < 5; ++t) {
        EXPECT_TRUE(Everywhere(movie[static_cast<std::size_t>(t)].picture, 64, 48, Frame(t))) << t;
        EXPECT_NEAR(movie[static_cast<std::size_t>(t)].time, t * 1000.0 / 32.0, 1.0) << t;
    }
    EXPECT_NEAR(movie.back().duration, 1000.0 / 32.0, 1.0);

    // The bar starts at 0, is placed beside "Advanced", under the canvas as far
    // as the window allows (the canvas is as tall as the window here), and
    // steps within each frame; the loop runs under the busy guard.
    ASSERT_EQ(atWrites.size(), 5u);
    EXPECT_EQ(w->Height(), 168);
    EXPECT_EQ(atWrites[0].barPlace.topLeft(), QPoint(-8 + 187 + 5, 168 - 12));
    std::vector<int> bars;
    for (const Seen& s : atWrites) {
        EXPECT_TRUE(s.busy && s.barShown);
        bars.push_back(s.bar);
    }
    EXPECT_EQ(bars, (std::vector<int>{19, 39, 59, 79, 99})) << "before each frame's own step";
    ASSERT_EQ(atMessage.size(), 1u);
    EXPECT_FALSE(atMessage[0].busy);
    EXPECT_FALSE(atMessage[0].barShown) << "hidden before the message";
    EXPECT_EQ(atMessage[0].bar, 100);
    EXPECT_EQ(fake_->messages, QStringList{"The QuickTime movie (along with its frames) is stored in "
                                           "the folder you specified in the previous dialog box."});
    EXPECT_EQ(fake_->beeps, 1) << "the drop's";
    EXPECT_EQ(w->framen, 5);
    EXPECT_EQ(w->StaticText1->Text(), QStringLiteral("Movie"));
    EXPECT_EQ(w->StaticText2->Text(), QStringLiteral("Change channel order or click Done"));
    EXPECT_TRUE(Everywhere(w->pix, 64, 48, Frame(4)));
    EXPECT_EQ(w->Canvas1->Backdrop(), w->pix);
}

TEST_F(ImportTest, ASingleFilesFramesAreItsImagesInGreyWithoutLeadingZeros) {
    CheckMovie();
    ExportTo("Seq");
    Drop({File("t.pic", PicBytes(3, 2, 12, [](int t, int x, int) { return 20 * t + x; }))});
    QStringList names;
    for (int i = 1; i <= 12; ++i) names << QStringLiteral("Seq%1.tif").arg(i);
    names << "Seqmovie.mov";
    names.sort();
    EXPECT_EQ(Entries("Seq"), names);
    for (int i : {1, 10, 12}) {
        const PicturePtr p =
            FolderItem::FromPath(dir.filePath(QStringLiteral("Seq/Seq%1.tif").arg(i)))->OpenAsPicture();
        ASSERT_TRUE(p) << i;
        const int v = 20 * (i - 1) + 2;
        EXPECT_EQ(p->RGBSurface()->Pixel(2, 1), RGB(v, v, v)) << "Seq" << i << ".tif";
    }
    EXPECT_EQ(Movie("Seq/Seqmovie.mov").size(), 12u);
    EXPECT_EQ(w->ProgressBar1->Value(), 100);
}

TEST_F(ImportTest, AnExportThatCannotStartWritesNothing) {
    CheckMovie();
    const QByteArray kept("kept");
    ASSERT_TRUE(QDir(dir.path()).mkdir("Seq"));
    ASSERT_TRUE(FolderItem::FromPath(dir.filePath("Seq/note.txt"))->WriteBytes(kept));
    File("Taken", kept);
    const QString longName(250, QLatin1Char('n'));  // the folder can be made, its movie's name is too long
    struct Case {
        const char* what;
        QString name;  // "" for a cancelled dialog
        QString message;
    };
    const Case cases[] = {
        {"cancel", QString(), QString()},
        {"folder exists", "Seq", SeriesNameTaken("Seq")},
        {"file exists", "Taken", SeriesNameTaken("Taken")},
        {"no such place", "missing/Seq", SeriesFolderProblem("Seq")},
        {"movie cannot be made", longName, SeriesMovieProblem(longName, "File name too long", true)},
    };
    const std::vector<FolderItemPtr> files = ThreeChannels(3);
    const QStringList before = Entries();
    for (const Case& c : cases) {
        if (!c.name.isEmpty()) ExportTo(c.name);
        fake_->messages.clear();
        w->fseq.assign(11, files[0]);
        Drop(files);
        EXPECT_EQ(fake_->messages, c.message.isEmpty() ? QStringList() : QStringList{c.message}) << c.what;
        EXPECT_EQ(Entries(), before) << c.what;
        EXPECT_EQ(Entries("Seq"), QStringList{"note.txt"}) << c.what;
        EXPECT_TRUE(fake_->tiffDialogs.empty() && fake_->tiffWrites.empty()) << c.what;
        EXPECT_FALSE(ControlVisible(w->ProgressBar1)) << c.what;
        EXPECT_EQ(w->fseq, std::vector<FolderItemPtr>(4)) << c.what << ": emptied at the start";
    }
    EXPECT_EQ(FolderItem::FromPath(dir.filePath("Taken"))->Exists(), true);
    // "Done" hands over nothing: no export of this stack finished.
    fake_->messages.clear();
    w->PushButton1_Action();
    EXPECT_EQ(fake_->messages, QStringList{NoSeriesToHandOver()});
}

TEST_F(ImportTest, AFrameThatCannotBeSavedBeepsAndTheMovieKeepsIt) {
    CheckMovie();
    ExportTo("First");
    Drop(ThreeChannels(5));
    ASSERT_EQ(Entries("First").size(), 6u);

    // A second export: frame 3 fails; no entry of the first export survives.
    ExportTo("Seq");
    fake_->failingTiffWrites = {5 + 3};
    fake_->messages.clear();
    const int beeps = fake_->beeps;
    Drop(ThreeChannels(5));
    EXPECT_EQ(fake_->beeps, beeps + 2) << "the drop's and the failed frame's";
    EXPECT_FALSE(w->fseq[3]);
    for (int i : {1, 2, 4, 5}) {
        ASSERT_TRUE(w->fseq[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(w->fseq[static_cast<std::size_t>(i)]->Name(), QStringLiteral("Seq%1.tif").arg(i));
    }
    EXPECT_EQ(Entries("Seq"), (QStringList{"Seq1.tif", "Seq2.tif", "Seq4.tif", "Seq5.tif", "Seqmovie.mov"}));
    const std::vector<MovieFrame> movie = Movie("Seq/Seqmovie.mov");
    ASSERT_EQ(movie.size(), 5u);
    EXPECT_TRUE(Everywhere(movie[2].picture, 64, 48, Frame(2)));
    ASSERT_EQ(fake_->messages.size(), 1);
    EXPECT_TRUE(fake_->messages[0].startsWith("1 of the 5 frames could not be saved as a TIFF file"))
        << fake_->messages[0].toStdString();

    // "Done" hands over the frames this export saved, in order.
    EXPECT_EQ(HandOver(), (QStringList{"Seq1.tif", "Seq2.tif", "Seq4.tif", "Seq5.tif"}));
}

TEST_F(ImportTest, AFrameNotWrittenWholeBeepsLeavesNoFileAndIsCounted) {
    CheckMovie();
    ExportTo("Seq");
    // The disk fills up in the middle of the second frame's file.
    ScopedWriteFault fault(WriteFault::AfterBytes(100).Named(".tif").Skip(1).Times(1));
    Drop(ThreeChannels(3));
    EXPECT_EQ(fault.Struck(), 1);
    EXPECT_EQ(fake_->beeps, 2) << "the drop's and the frame's";
    EXPECT_EQ(QDir(dir.filePath("Seq")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"Seq1.tif", "Seq3.tif", "Seqmovie.mov"}))
        << "no part of the frame, nor a temporary file, is left";
    EXPECT_FALSE(w->fseq[2]);
    EXPECT_EQ(Movie("Seq/Seqmovie.mov").size(), 3u);
    ASSERT_EQ(fake_->messages.size(), 1);
    EXPECT_TRUE(fake_->messages[0].startsWith("1 of the 3 frames could not be saved as a TIFF file"))
        << fake_->messages[0].toStdString();
    EXPECT_FALSE(fake_->messages[0].contains("movie (along with its frames) is stored"));
    w->PushButton1_Action();
    ASSERT_TRUE(Window1::existing());
    EXPECT_EQ(Window1::existing()->StaticText4->Text(), QStringLiteral("1/2")) << "only the saved frames";
}

// A movie that cannot be created takes its empty folder away again; one that
// cannot be finished leaves the frames saved whole, which "Done" hands over,
// and no part of itself.
TEST_F(ImportTest, AMovieThatFailsKeepsTheFramesSavedWholeAndLeavesNoPartOfItself) {
    CheckMovie();
    const std::vector<FolderItemPtr> files = ThreeChannels(3);
    const QStringList before = Entries();
    struct Case {
        const char* what;
        const char* name;  // the folder the user names
        WriteFault fault;
        QString message;
        bool framesWritten;
    };
    const QString kept = QStringLiteral(
        "The movie \"%1movie.mov\" could not be written (%2); its unfinished file was removed. The "
        "3 frames saved whole are kept in the folder you specified in the previous dialog box.");
    const Case cases[] = {
        {"create", "Seq", WriteFault::AtOpen().Named(".mov"),
         SeriesMovieProblem("Seq", "Permission denied", true), false},
        {"finish: disk full", "Full", WriteFault::AfterBytes(100).Named(".mov"),
         kept.arg("Full", "No space left on device"), true},
        {"finish: flush", "Flush", WriteFault::AtFlush().Named(".mov"),
         kept.arg("Flush", "Input/output error"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString n = QString::fromLatin1(c.name);
        fake_->messages.clear();
        fake_->tiffWrites.clear();
        {
            ScopedWriteFault fault(c.fault);
            ExportTo(n);
            Drop(files);
            EXPECT_EQ(fault.Struck(), 1);
        }
        EXPECT_EQ(fake_->messages, QStringList{c.message});
        EXPECT_EQ(fake_->tiffWrites.size(), c.framesWritten ? 3u : 0u);
        EXPECT_FALSE(ControlVisible(w->ProgressBar1));
        fake_->messages.clear();
        if (!c.framesWritten) {
            EXPECT_EQ(Entries(), before) << "no folder, frame or movie is left";
            EXPECT_EQ(w->fseq, std::vector<FolderItemPtr>(4)) << "nothing counts as saved";
            w->PushButton1_Action();
            EXPECT_EQ(fake_->messages, QStringList{NoSeriesToHandOver()});
            continue;
        }
        const QStringList frames{n + "1.tif", n + "2.tif", n + "3.tif"};
        EXPECT_EQ(
            QDir(dir.filePath(n))
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
            frames)
            << "the frames stay; neither the movie nor its temporary file";
        for (int i = 1; i <= 3; ++i)
            EXPECT_TRUE(Everywhere(
                FolderItem::FromPath(dir.filePath(n + "/" + frames[i - 1]))->OpenAsPicture(), 64,
                48, Frame(i - 1)));
        // "Done" hands over the frames that were saved.
        EXPECT_EQ(HandOver(), frames);
        EXPECT_TRUE(fake_->messages.isEmpty());
        EXPECT_EQ(Window1::existing()->fola[0]->AbsolutePath(), dir.filePath(n + "/" + frames[0]));
    }
    // The name of the movie that could not be created is free again, on a
    // disk that works.
    fake_->messages.clear();
    ExportTo("Seq");
    Drop(files);
    EXPECT_EQ(fake_->messages, QStringList{"The QuickTime movie (along with its frames) is stored in "
                                           "the folder you specified in the previous dialog box."});
    EXPECT_EQ(Entries("Seq"), (QStringList{"Seq1.tif", "Seq2.tif", "Seq3.tif", "Seqmovie.mov"}));
    EXPECT_EQ(Movie("Seq/Seqmovie.mov").size(), 3u);
}

TEST_F(ImportTest, AFileChangedDuringTheExportStopsIt) {
    CheckMovie();
    ExportTo("Seq");
    const std::vector<FolderItemPtr> files = ThreeChannels(5);
    fake_->onTiffWrite = [&](int n) {
        if (n == 2) files[1]->WriteBytes(PicHeaderBytes(64, 48, 5));
    };
    Drop(files);
    EXPECT_EQ(Entries("Seq"), (QStringList{"Seq1.tif", "Seq2.tif", "Seqmovie.mov"}));
    EXPECT_EQ(Movie("Seq/Seqmovie.mov").size(), 2u) << "finished with the frames made";
    ASSERT_EQ(fake_->messages.size(), 1);
    EXPECT_TRUE(fake_->messages[0].contains("\"ch1.pic\" has changed or is gone"));
    EXPECT_TRUE(fake_->messages[0].contains("The export stopped after frame 2 of 5."));
    EXPECT_FALSE(ControlVisible(w->ProgressBar1));
    EXPECT_FALSE(LongPass::Busy());
    fake_->messages.clear();
    w->PushButton1_Action();
    EXPECT_EQ(fake_->messages, QStringList{NoSeriesToHandOver()}) << "the export did not finish";
}

TEST_F(ImportTest, NothingElseStartsWhileTheExportRuns) {
    CheckMovie();
    ExportTo("Seq");
    const FolderItemPtr other = File("other.pic", Stack433());
    Window1* ws = Window1::instance();
    const QString wsTitle = ws->Title();
    fake_->onTiffWrite = [&](int n) {
        if (n != 2) return;
        const PicturePtr frame = w->pix;
        w->PushButton1_Action();                   // "Done"
        w->PushButton2_Action();                   // "Save"
        Drop({other});                             // a drop
        w->Droppedonettan(other);                  // a PIC frame from the workspace
        w->PopupMenu1->SetListIndex(3);            // a channel change
        w->moviemode();                            // a second export
        w->Canvas1_MouseDown(1, 1);
        w->Canvas1_MouseDrag(5, 5);
        EXPECT_EQ(w->pix, frame);
        EXPECT_EQ(w->Title(), QStringLiteral("ch0.pic"));
    };
    Drop(ThreeChannels(4));
    EXPECT_EQ(ws->Title(), wsTitle);
    EXPECT_EQ(fake_->saveNames.size(), 1);
    EXPECT_EQ(fake_->pictureDialogs, 0);
    EXPECT_TRUE(fake_->clipboardText.isEmpty());
    EXPECT_TRUE(fake_->drags.empty());
    EXPECT_EQ(fake_->beeps, 1);
    EXPECT_EQ(Entries("Seq").size(), 5u);
    EXPECT_TRUE(Everywhere(w->pix, 64, 48, Frame(3))) << "every frame merged as ordered";
}

TEST_F(ImportTest, NothingIsTakenInWhileAMessageOrDialogIsOpen) {
    CheckMovie();
    ExportTo("Seq");
    const FolderItemPtr other = File("other.pic", Stack433());
    // Each dialog and message of the export, while open, gets a drop on the
    // canvas and a file from the workspace.
    int tries = 0;
    bool inside = false;
    auto takeAnother = [&] {
        if (inside) return;
        inside = true;
        ++tries;
        Drop({other});
        w->Droppedonettan(other);
        inside = false;
    };
    fake_->onDialog = takeAnother;
    fake_->onMessage = [&](const QString&) { takeAnother(); };
    Drop(ThreeChannels(2));
    EXPECT_EQ(tries, 3) << "the folder dialog, the TIFF settings and the closing message";
    EXPECT_EQ(fake_->saveNames.size(), 1) << "no second folder dialog";
    EXPECT_EQ(fake_->tiffDialogs.size(), 1u);
    EXPECT_EQ(fake_->messages.size(), 1) << "the closing message alone";
    EXPECT_EQ(fake_->beeps, 1) << "the first drop's";
    EXPECT_EQ(w->Title(), QStringLiteral("ch0.pic"));
    EXPECT_EQ(w->npics, 2);
    EXPECT_EQ(Entries("Seq"), (QStringList{"Seq1.tif", "Seq2.tif", "Seqmovie.mov"}));

    // With every message closed, drops are taken again.
    fake_->onDialog = nullptr;
    fake_->onMessage = nullptr;
    w->CheckBox2->SetValue(false);
    Drop({other});
    EXPECT_EQ(w->Title(), QStringLiteral("other.pic"));
    EXPECT_EQ(w->npics, 3);
}

TEST_F(ImportTest, DoneHandsTheMergedPictureToTheWorkspaceAndStaysOpen) {
    Drop({File("a.pic", Stack433())});
    w->PushButton1_Action();
    Window1* ws = Window1::existing();
    ASSERT_TRUE(ws);
    EXPECT_EQ(ws->Title(), QStringLiteral("a.pic"));
    const PicturePtr first = w->pix;
    EXPECT_EQ(ws->originalpix, first) << "the picture itself";
    EXPECT_EQ(ws->pix->RGBSurface()->Pixel(0, 0), RGB(0, 100, 200));
    EXPECT_FALSE(w->Closed());

    w->PopupMenu1->SetListIndex(5);  // "BGR"
    w->PushButton1_Action();
    EXPECT_NE(ws->originalpix, first);
    EXPECT_EQ(ws->originalpix, w->pix);
    EXPECT_EQ(ws->originalpix->RGBSurface()->Pixel(3, 2), RGB(223, 123, 23));
    EXPECT_EQ(first->RGBSurface()->Pixel(3, 2), RGB(23, 123, 223)) << "the first is unchanged";
    EXPECT_FALSE(w->Closed());
}

TEST_F(ImportTest, APictureOfAnEarlierStackIsNeverHandedOnUnderANewName) {
    Drop({File("a.pic", Stack433())});
    const PicturePtr earlier = w->pix;
    CheckMovie();
    // Its folder dialog cancelled, the series never starts: nothing merged yet.
    Drop({File("b.pic", PicBytes(4, 3, 3, [](int i, int, int) { return 50 + i; }))});
    ASSERT_EQ(w->pix, earlier);
    // The drag-out merges the stack of the title first, "Movie" checked or not.
    QTest::mousePress(w->Canvas1, Qt::LeftButton, {}, {2, 2});
    w->Canvas1_MouseDrag(6, 6);
    ASSERT_EQ(fake_->drags.size(), 1u);
    EXPECT_EQ(fake_->drags[0].text, QStringLiteral("b.pic"));
    EXPECT_EQ(fake_->drags[0].picture, w->pix);
    EXPECT_EQ(Merged(), RGB(50, 51, 52));

    Drop({File("c.pic", PicBytes(4, 3, 3, [](int i, int, int) { return 60 + i; }))});
    w->CheckBox2->SetValue(false);
    w->PushButton1_Action();
    Window1* ws = Window1::existing();
    ASSERT_TRUE(ws);
    EXPECT_EQ(ws->Title(), QStringLiteral("c.pic"));
    EXPECT_EQ(ws->originalpix, w->pix);
    EXPECT_EQ(Merged(), RGB(60, 61, 62));
    EXPECT_TRUE(fake_->messages.isEmpty());
}

TEST_F(ImportTest, DoneWithMovieStepsTheWorkspaceThroughTheSavedFrames) {
    CheckMovie();
    ExportTo("Seq");
    Drop({File("t.pic", PicBytes(8, 8, 12, [](int t, int x, int) { return 20 * t + x + 1; }))});
    ASSERT_EQ(fake_->messages.size(), 1);
    w->PushButton1_Action();
    Window1* ws = Window1::existing();
    ASSERT_TRUE(ws);
    for (int i = 0; i < 12; ++i) {
        ASSERT_TRUE(ws->fola[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(ws->fola[static_cast<std::size_t>(i)], w->fseq[static_cast<std::size_t>(i + 1)]) << i;
    }
    EXPECT_EQ(ws->nbilds, 11);
    EXPECT_EQ(ws->actualframe, 0);
    EXPECT_EQ(ws->Slider1->Maximum(), 12);
    EXPECT_EQ(ws->Slider1->Value(), 1);
    EXPECT_EQ(ws->StaticText4->Text(), QStringLiteral("1/12"));
    EXPECT_TRUE(ControlVisible(ws->Slider1) && ControlVisible(ws->StaticText4) &&
                ControlVisible(ws->LittleArrows1));
    EXPECT_FALSE(ws->newstart) << "consumed by the load of frame 1";
    EXPECT_EQ(ws->Title(), QStringLiteral("Seq1.tif"));
    ASSERT_TRUE(ws->pix);
    EXPECT_EQ(ws->pix->RGBSurface()->Pixel(3, 0), RGB(4, 4, 4));
    // The workspace steps on to the next saved frame.
    ws->LittleArrows1_Up();
    EXPECT_EQ(ws->Title(), QStringLiteral("Seq2.tif"));
    EXPECT_EQ(ws->pix->RGBSurface()->Pixel(3, 0), RGB(24, 24, 24));
    EXPECT_FALSE(w->Closed());
}

// "Done" brings up a fresh workspace when none is open. The fresh workspace
// loads the launch document as it opens, a PIC file through this very window;
// the hand-over still takes what the user merged or saved, and this window
// keeps its stack, its picture and its title.
TEST_F(ImportTest, DoneIntoAFreshWorkspaceWhateverItLoadsAsItOpens) {
    QImage tif(6, 6, QImage::Format_RGB32);
    tif.fill(qRgb(9, 8, 7));
    ASSERT_TRUE(tif.save(dir.filePath(QStringLiteral("doc.tif"))));
    const FolderItemPtr launchPic = File("doc.pic", PicBytes(5, 5, 3, [](int i, int, int) {
        return 70 + i;
    }));
    const FolderItemPtr launchTif = FolderItem::FromPath(dir.filePath(QStringLiteral("doc.tif")));
    struct Case {
        const char* what;
        FolderItemPtr launch;
    };
    const Case cases[] = {{"no launch document", nullptr},
                          {"a PIC launch document", launchPic},
                          {"a picture launch document", launchTif}};
    int series = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Module1::startfol = c.launch;
        // The merged picture.
        w->CheckBox2->SetValue(false);
        Drop({File("a.pic", Stack433())});
        ASSERT_EQ(w->Title(), QStringLiteral("a.pic"));
        const PicturePtr merged = w->pix;
        ASSERT_FALSE(Window1::existing());
        w->PushButton1_Action();
        Window1* ws = Window1::existing();
        ASSERT_TRUE(ws);
        EXPECT_EQ(ws->Title(), QStringLiteral("a.pic"));
        EXPECT_EQ(ws->originalpix, merged);
        ASSERT_TRUE(ws->pix);
        EXPECT_EQ(ws->pix->RGBSurface()->Pixel(0, 0), RGB(0, 100, 200));
        EXPECT_EQ(ws->StaticText3->Text(),
                  QStringLiteral("Draw a ROI or choose Background handling"));
        EXPECT_EQ(w->Title(), QStringLiteral("a.pic"));
        EXPECT_EQ(w->pix, merged);
        EXPECT_EQ(w->nx, 4);
        ws->Close();
        test::DrainEvents();

        // The saved frames.
        CheckMovie();
        const QString folder = QStringLiteral("S%1").arg(++series);
        ExportTo(folder);
        Drop({File("t.pic", PicBytes(8, 8, 3, [](int t, int x, int) { return 20 * t + x + 1; }))});
        ASSERT_FALSE(Window1::existing());
        EXPECT_EQ(HandOver(), (QStringList{folder + "1.tif", folder + "2.tif", folder + "3.tif"}));
        ws = Window1::existing();
        ASSERT_TRUE(ws);
        EXPECT_EQ(ws->Title(), folder + QStringLiteral("1.tif"));
        ASSERT_TRUE(ws->pix);
        EXPECT_EQ(ws->pix->RGBSurface()->Pixel(3, 0), RGB(4, 4, 4));
        EXPECT_EQ(w->Title(), QStringLiteral("t.pic"));
        EXPECT_EQ(w->nx, 8);
        EXPECT_TRUE(w->CheckBox2->Value());
        ws->Close();
        test::DrainEvents();
        fake_->messages.clear();
    }
    Module1::startfol = nullptr;
}

TEST_F(ImportTest, DoneSaveAndTheDragNeedSomethingToHandOver) {
    Window1* ws = Window1::instance();
    struct Case {
        const char* what;
        std::function<void()> setUp;  // after which the import window's action does nothing
        QString message;              // of "Done"
        int extraBeeps;               // of "Done"
        int frames;                   // handed over by "Done", 0 for none
    };
    const Case cases[] = {
        {"before any load", [] {}, QString(), 0, 0},
        {"before any load, \"Movie\" checked", [&] { CheckMovie(); }, QString(), 0, 0},
        {"box checked after the merge",
         [&] {
             Drop({File("a.pic", Stack433())});
             CheckMovie();
         },
         NoSeriesToHandOver(), 0, 0},
        {"a new intake since the export",
         [&] {
             CheckMovie();
             ExportTo("Seq");
             Drop(ThreeChannels(2));
             w->Droppedonettan(File("b.pic", Stack433()));
         },
         NoSeriesToHandOver(), 0, 0},
        {"no frame saved",
         [&] {
             CheckMovie();
             ExportTo("None");
             fake_->failingTiffWrites = {1, 2};
             Drop(ThreeChannels(2));
         },
         NoFramesSaved(), 0, 0},
        {"82 frames of a 1 x 1 stack",
         [&] {
             CheckMovie();
             ExportTo("Many");
             Drop({File("m.pic", PicBytes(1, 1, 82, [](int t, int, int) { return t; }))});
         },
         FramesLeftOut(82, 81), 0, 81},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (Window4::existing()) w->Close();
        w = Window4::instance();
        fake_->failingTiffWrites.clear();
        fake_->tiffWrites.clear();
        c.setUp();
        fake_->messages.clear();
        const int beeps = fake_->beeps;
        ws->SetTitle(QStringLiteral("workspace"));
        ws->nbilds = 0;
        const PicturePtr wsPix = ws->pix;
        w->PushButton1_Action();
        EXPECT_EQ(fake_->messages, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(fake_->beeps, beeps + c.extraBeeps);
        if (c.frames == 0) {
            if (!w->pix) {
                EXPECT_EQ(ws->Title(), QStringLiteral("workspace"));
                EXPECT_EQ(ws->pix, wsPix);
            } else {
                EXPECT_EQ(ws->nbilds, 0);
            }
        } else {
            EXPECT_EQ(ws->nbilds, c.frames - 1);
            EXPECT_EQ(ws->StaticText4->Text(), QStringLiteral("1/%1").arg(c.frames));
            EXPECT_EQ(ws->fola[80]->Name(), QStringLiteral("Many81.tif"));
            EXPECT_EQ(Entries("Many").size(), 83u) << "all 82 frames are written";
        }
    }
    // Save and the drag before any load.
    w->Close();
    w = Window4::instance();
    w->PushButton2_Action();
    bool handled = false;
    EXPECT_FALSE(w->HandleMenu(QStringLiteral("FileSaveAs"), &handled));
    QTest::mousePress(w->Canvas1, Qt::LeftButton, {}, {5, 5});
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 20), w->Canvas1->mapToGlobal(QPointF(20, 20)),
                     Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(w->Canvas1, &move);
    EXPECT_TRUE(fake_->clipboardText.isEmpty());
    EXPECT_EQ(fake_->pictureDialogs, 0);
    EXPECT_TRUE(fake_->drags.empty());
}

TEST_F(ImportTest, SavePutsTheTitleOnTheClipboardThenOffersThePicture) {
    Drop({File("a.pic", Stack433())});
    w->PushButton2_Action();
    EXPECT_EQ(fake_->clipboardText, QStringLiteral("a.pic")) << "also when the dialog is cancelled";
    EXPECT_EQ(fake_->pictureDialogs, 1);

    fake_->clipboardText.clear();
    fake_->picturePaths.push_back(dir.filePath("merged.png"));
    bool handled = false;
    EXPECT_FALSE(w->HandleMenu(QStringLiteral("FileSaveAs"), &handled));
    EXPECT_TRUE(handled);
    EXPECT_EQ(fake_->clipboardText, QStringLiteral("a.pic"));
    const PicturePtr saved = FolderItem::FromPath(dir.filePath("merged.png"))->OpenAsPicture();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->RGBSurface()->Pixel(3, 2), RGB(23, 123, 223));
}

TEST_F(ImportTest, ThePictureIsDraggedOutWithItsNameOncePerPress) {
    Drop({File("a.pic", Stack433())});
    auto move = [this](QPoint to) {
        QMouseEvent e(QEvent::MouseMove, QPointF(to), w->Canvas1->mapToGlobal(QPointF(to)),
                      Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(w->Canvas1, &e);
    };
    QTest::mousePress(w->Canvas1, Qt::LeftButton, {}, {2, 2});
    move({6, 6});
    move({9, 9});
    ASSERT_EQ(fake_->drags.size(), 1u);
    EXPECT_EQ(fake_->drags[0].source, w->Canvas1);
    EXPECT_EQ(fake_->drags[0].outline, QRect(0, 0, w->Canvas1->width(), w->Canvas1->height()));
    EXPECT_EQ(fake_->drags[0].picture, w->pix);
    EXPECT_EQ(fake_->drags[0].text, QStringLiteral("a.pic"));
    QTest::mousePress(w->Canvas1, Qt::LeftButton, {}, {2, 2});
    move({4, 4});
    EXPECT_EQ(fake_->drags.size(), 2u) << "a new press, a new drag";
}

TEST_F(ImportTest, OpenTakesOneFileAsTheSingleCurrentStack) {
    ShowAdvanced();
    Drop({Channel("c.pic", 2, 3), Channel("a.pic", 0, 3), Channel("b.pic", 1, 3)});
    const std::vector<FolderItemPtr> dropped = w->fola;
    w->framen = 2;
    const int beeps = fake_->beeps;
    const QString title = w->Title();
    const PicturePtr pix = w->pix;

    // A cancelled dialog changes nothing.
    w->PushButton3_Action();
    EXPECT_EQ(fake_->openFilters, QStringList{"image/biorad"});
    EXPECT_EQ(w->Title(), title);
    EXPECT_EQ(w->pix, pix);

    // A file that is no stack is refused as a dropped one is.
    fake_->openItems.push_back(File("bad.pic", PicHeaderBytes(0, 3, 1)));
    w->PushButton3_Action();
    ASSERT_EQ(fake_->messages.size(), 1);
    EXPECT_TRUE(fake_->messages[0].contains("\"bad.pic\""));
    EXPECT_EQ(w->Title(), title);
    EXPECT_EQ(w->pix, pix);
    EXPECT_EQ(w->nfiles, 2);
    // So is anything that is not a regular file, before it is opened.
    const test::NamedPipe pipe(dir.filePath("pipe.pic"));
    ASSERT_TRUE(pipe.Made());
    fake_->openItems.push_back(pipe.Item());
    w->PushButton3_Action();
    EXPECT_EQ(fake_->messages.value(1), NotARegularFile("pipe.pic"));
    EXPECT_EQ(w->Title(), title);
    EXPECT_EQ(w->pix, pix);
    fake_->messages.clear();

    // A three-image file merges alone, now and in later runs; no beep.
    fake_->openItems.push_back(File("s.pic", Stack433()));
    bool handled = false;
    EXPECT_FALSE(w->HandleMenu(QStringLiteral("FileImportBioradPIC"), &handled));
    EXPECT_EQ(w->Title(), QStringLiteral("s.pic"));
    EXPECT_EQ(w->nfiles, 0);
    EXPECT_EQ(w->fol->Name(), QStringLiteral("s.pic"));
    EXPECT_EQ(w->fola, dropped);
    EXPECT_EQ(w->framen, 2);
    EXPECT_EQ(fake_->beeps, beeps);
    EXPECT_EQ(w->StaticText1->Text(), QStringLiteral("Tricolor"));
    EXPECT_EQ(Merged(), RGB(23, 123, 223));
    w->PopupMenu1->SetListIndex(2);  // "GRB"
    EXPECT_EQ(Merged(), RGB(123, 23, 223));

    // With "Movie" checked a stack taken this way is merged all the same.
    w->CheckBox2->SetValue(true);
    w->Droppedonettan(Channel("m.pic", 1, 2));
    EXPECT_EQ(w->StaticText1->Text(), QStringLiteral("Tricolor"));
    EXPECT_EQ(Merged(), RGB(123, 123, 0));
    EXPECT_EQ(w->Canvas1->Backdrop(), w->pix);
    EXPECT_TRUE(fake_->saveNames.isEmpty()) << "no frame series";

    // A one-image file shows grey.
    w->Droppedonettan(Channel("g.pic", 1));
    EXPECT_EQ(w->StaticText1->Text(), QStringLiteral("Gray"));
    EXPECT_EQ(w->StaticText2->Text(), QStringLiteral("Processing 4x3px, 1 channel"));
    EXPECT_EQ(Merged(), RGB(123, 123, 123));
    EXPECT_EQ(w->Title(), QStringLiteral("g.pic"));
}

}  // namespace
}  // namespace qv
