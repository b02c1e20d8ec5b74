#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include "app/resources.h"
#include "biorad/biorad_import.h"
#include "biorad/pic_fixtures.h"
#include "platform/core/picture_reader.h"
#include "platform/core/whole_file_writer.h"
#include "support/named_pipe.h"
#include "support/png_bytes.h"
#include "support/workspace_fixture.h"
#include "workspace/core/intake_messages.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;

class IntakeTest : public test::WorkspaceTest {
protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        fake_->screenHeight = 1024;
    }
    // A picture file: red left half, green right half.
    FolderItemPtr Image(const QString& name, int width, int height, const char* format = "tiff") {
        QImage img(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                img.setPixel(x, y, x < width / 2 ? 0xFFC80000u : 0xFF00C800u);
        const QString path = dir.filePath(name);
        QImageWriter writer(path, format);
        EXPECT_TRUE(writer.write(img)) << writer.errorString().toStdString();
        return FolderItem::FromPath(path);
    }
    FolderItemPtr Bytes(const QString& name, const QByteArray& bytes) {
        const auto f = FolderItem::FromPath(dir.filePath(name));
        EXPECT_TRUE(f->WriteBytes(bytes));
        return f;
    }
    void Load(FolderItemPtr f) {
        w->fola[0] = std::move(f);
        w->actualframe = 0;
        w->afterdrop();
    }
    Color BackdropPixel(int x, int y) { return w->Canvas1->Backdrop()->RGBSurface()->Pixel(x, y); }

    QTemporaryDir dir;
};

TEST_F(IntakeTest, FileOpenKeepsTheOpenedPictureAndRaisesNarrowOnesTo256) {
    fake_->openItems.push_back(Image(QStringLiteral("narrow.tif"), 100, 80));
    EXPECT_FALSE(w->_FileOpen_Action());
    EXPECT_EQ(fake_->openFilters, QStringList{"image/any"});
    ASSERT_TRUE(w->pix);
    EXPECT_EQ(w->pix->Width(), 100) << "the opened picture itself, not scaled";
    EXPECT_EQ(w->originalpix, w->pix);
    EXPECT_EQ(w->imgsize, 256);
    EXPECT_EQ(w->can2size, 256);
    EXPECT_EQ(w->Width(), 650);
    EXPECT_EQ(w->Height(), 974);
    EXPECT_EQ(w->Canvas1->width(), 256);
    EXPECT_EQ(BackdropPixel(10, 10), 0xC80000u);
    EXPECT_EQ(BackdropPixel(150, 10), 0xFFFFFFu) << "white right of the picture";
    EXPECT_EQ(BackdropPixel(10, 100), 0xFFFFFFu) << "white below it";
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Draw a ROI or choose Background handling"));
    EXPECT_EQ(w->Title(), QStringLiteral("Colocalization analysis")) << "File > Open keeps the title";
}

TEST_F(IntakeTest, AfterdropKeepsTheWidthAndNamesTheWindow) {
    Load(Image(QStringLiteral("cells.tif"), 100, 80));
    EXPECT_EQ(w->imgsize, 100);
    EXPECT_EQ(w->can2size, 100);
    EXPECT_EQ(w->pix->Width(), 100);
    EXPECT_EQ(w->originalpix, w->pix);
    EXPECT_EQ(w->Title(), QStringLiteral("cells.tif"));
    EXPECT_EQ(w->Canvas1->Backdrop()->Width(), 100);
}

TEST_F(IntakeTest, ImportScalesIntoTheSquareAndKeepsTheSource) {
    PicturePtr p = NewPicture(400, 200);
    p->Graphics().ForeColor = RGB(0, 0, 255);
    p->Graphics().FillRect(0, 0, 200, 200);
    w->import(p);
    EXPECT_EQ(w->originalpix, p);
    ASSERT_TRUE(w->pix);
    EXPECT_NE(w->pix, p);
    EXPECT_EQ(w->imgsize, 400);
    EXPECT_EQ(w->pix->Width(), 400);
    EXPECT_EQ(w->pix->Height(), 400) << "stretched to a square";
    EXPECT_EQ(w->pix->RGBSurface()->Pixel(100, 390), 0x0000FFu);
    EXPECT_EQ(w->pix->RGBSurface()->Pixel(300, 390), 0xFFFFFFu);
    EXPECT_EQ(BackdropPixel(100, 300), 0x0000FFu);
}

TEST_F(IntakeTest, ImportOfNothingLeavesTheOriginalForRevert) {
    PicturePtr p = NewPicture(50, 50);
    w->import(p);
    w->import(nullptr);
    EXPECT_EQ(w->originalpix, p);
    EXPECT_TRUE(w->isVisible());
}

TEST_F(IntakeTest, AWideTallPictureShowsItsTopLeftSquareOnly) {
    Load(Image(QStringLiteral("big.tif"), 2000, 1500));
    EXPECT_EQ(w->pix->Width(), 2000);
    EXPECT_EQ(w->pix->Height(), 1500);
    EXPECT_EQ(w->imgsize, 939);
    EXPECT_EQ(w->Canvas1->Backdrop()->Width(), 939);
    EXPECT_EQ(BackdropPixel(900, 900), 0xC80000u) << "the left half of a 2000-wide picture";
}

TEST_F(IntakeTest, MakeviewLaysOutTheCanvasesAndLabels) {
    fake_->screenHeight = 1000;
    Load(Image(QStringLiteral("c.tif"), 700, 700));
    EXPECT_EQ(w->Width(), 1066);
    EXPECT_EQ(w->Height(), 950);
    EXPECT_EQ(w->Canvas2->width(), 225);
    EXPECT_EQ(ControlLeft(w->Canvas2), 10 + (700 - 225) / 2);
    EXPECT_EQ(ControlTop(w->Canvas2), 720);
    EXPECT_EQ(ControlLeft(w->Canvas3), 1066 - 266);
    EXPECT_EQ(ControlLeft(w->staticText1), 1066 - 266 - 31);
    EXPECT_EQ(ControlLeft(w->StaticText7), 1066 - 266 - 31);
    EXPECT_EQ(ControlLeft(w->StaticText2), 1066 - 266 + 128);
    EXPECT_EQ(ControlLeft(w->StaticText5), 1066 - 266 + 30);
    EXPECT_EQ(w->Width() - ControlLeft(w->ImageWell1), 705 - 466) << "locked right";
}

TEST_F(IntakeTest, ABioradFileGoesToTheImportWindow) {
    Load(Image(QStringLiteral("first.tif"), 120, 120));
    const PicturePtr before = w->pix;
    w->newstart = true;
    Load(Bytes(QStringLiteral("stack.PIC"),
               testing::PicBytes(4, 3, 1, [](int, int x, int y) { return 10 * y + x; })));
    ASSERT_TRUE(Window4::existing());
    EXPECT_EQ(Window4::existing()->Title(), QStringLiteral("stack.PIC"));
    ASSERT_TRUE(Window4::existing()->pix);
    EXPECT_EQ(Window4::existing()->pix->RGBSurface()->Pixel(3, 2), RGB(23, 23, 23));
    EXPECT_EQ(w->Title(), QStringLiteral("stack.PIC"));
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Biorad file import"));
    EXPECT_EQ(w->pix, before);
    EXPECT_EQ(w->imgsize, 120);
    EXPECT_TRUE(w->newstart);
    Window4::existing()->Close();
}

TEST_F(IntakeTest, BadFilesChangeNothing) {
    Load(Image(QStringLiteral("good.tif"), 120, 120));
    const PicturePtr before = w->pix;
    QByteArray jpeg;
    {
        QFile f(Image(QStringLiteral("whole.jpg"), 64, 64, "jpeg")->AbsolutePath());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        jpeg = f.readAll();
    }
    const FolderItemPtr bad[] = {
        Bytes(QStringLiteral("cut.jpg"), jpeg.left(20)),
        Bytes(QStringLiteral("text.tif"), QByteArray("this is not a picture\n")),
        Bytes(QStringLiteral("empty.tif"), QByteArray()),
        FolderItem::FromPath(dir.filePath(QStringLiteral("vanished.tif"))),
    };
    for (const FolderItemPtr& f : bad) {
        Load(f);
        EXPECT_EQ(w->pix, before) << f->Name().toStdString();
        EXPECT_EQ(w->imgsize, 120) << f->Name().toStdString();
        EXPECT_EQ(w->Title(), QStringLiteral("good.tif")) << f->Name().toStdString();
        fake_->openItems.push_back(f);
        w->_FileOpen_Action();
        EXPECT_EQ(w->pix, before) << f->Name().toStdString();
    }
    EXPECT_TRUE(fake_->messages.isEmpty());
    // an empty frame slot does nothing either
    w->fola[0].reset();
    w->afterdrop();
    EXPECT_EQ(w->pix, before);
}

// Pictures past the image reader's default limit of 128 MB open: the working
// area is reduced from them. A picture whose header claims more than the
// program can hold is refused with a message, and nothing changes.
TEST_F(IntakeTest, LargePicturesOpenAndThoseTooLargeToHoldSaySo) {
    Load(Bytes(QStringLiteral("big.png"), test::FlatPng(9000, 9000, 200, 40, 90)));
    ASSERT_TRUE(w->pix);
    EXPECT_EQ(QSize(w->pix->Width(), w->pix->Height()), QSize(9000, 9000));
    EXPECT_EQ(w->Title(), QStringLiteral("big.png"));
    EXPECT_EQ(w->imgsize, 939) << "from the width, fitted to a 1024-pixel screen";
    EXPECT_EQ(BackdropPixel(938, 938), RGB(200, 40, 90));
    EXPECT_TRUE(fake_->messages.isEmpty());

    const PicturePtr before = w->pix;
    const FolderItemPtr huge = Bytes(QStringLiteral("huge.png"), test::ClaimingPng(100000, 100000));
    const QString tooLarge = PictureTooLarge(QStringLiteral("huge.png"), QSize(100000, 100000));
    Load(huge);
    EXPECT_EQ(fake_->messages, QStringList{tooLarge});
    fake_->openItems.push_back(huge);
    w->_FileOpen_Action();
    EXPECT_EQ(fake_->messages, (QStringList{tooLarge, tooLarge}));
    EXPECT_EQ(w->pix, before);
    EXPECT_EQ(w->imgsize, 939);
    EXPECT_EQ(w->Title(), QStringLiteral("big.png"));
}

TEST_F(IntakeTest, WhatIsNotARegularFileIsRefusedWithAMessageBeforeItIsOpened) {
    Load(Image(QStringLiteral("good.tif"), 120, 120));
    const PicturePtr before = w->pix;
    const test::NamedPipe picture(dir.filePath(QStringLiteral("pipe.tif")));
    const test::NamedPipe stack(dir.filePath(QStringLiteral("pipe.pic")));
    ASSERT_TRUE(picture.Made() && stack.Made());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.png")));
    const FolderItemPtr folder = FolderItem::FromPath(dir.filePath(QStringLiteral("folder.png")));

    // Opened, and dropped on the well.
    for (const FolderItemPtr& f : {picture.Item(), folder}) {
        fake_->messages.clear();
        fake_->openItems.push_back(f);
        w->_FileOpen_Action();
        EXPECT_EQ(fake_->messages, QStringList{NotARegularFile(f->Name())});
        fake_->messages.clear();
        w->ImageWell1_DropObject({f});
        EXPECT_EQ(fake_->messages, QStringList{NotARegularFile(f->Name())});
        EXPECT_EQ(w->pix, before);
        EXPECT_EQ(w->Title(), QStringLiteral("good.tif"));
    }
    // A PIC name goes to the import window, which refuses it the same way.
    fake_->messages.clear();
    w->ImageWell1_DropObject({stack.Item()});
    EXPECT_EQ(fake_->messages, QStringList{NotARegularFile(QStringLiteral("pipe.pic"))});
    ASSERT_TRUE(Window4::existing());
    EXPECT_EQ(Window4::existing()->nx, 0);
    EXPECT_EQ(w->pix, before);
    EXPECT_EQ(w->Title(), QStringLiteral("good.tif")) << "a refused file names no sample";
    Window4::existing()->Close();
}

TEST_F(IntakeTest, PictureFormatsComeInAsRgb) {
    QImage grey16(40, 30, QImage::Format_Grayscale16);
    grey16.fill(QColor(128, 128, 128));
    QImage indexed(40, 30, QImage::Format_Indexed8);
    indexed.setColorTable({0xFF102030u, 0xFFFFFFFFu});
    indexed.fill(0);
    struct Case {
        QString name;
        QImage image;
        const char* format;
    };
    const Case cases[] = {{"grey16.tif", grey16, "tiff"},
                          {"palette.tif", indexed, "tiff"},
                          {"grey.bmp", grey16.convertToFormat(QImage::Format_Grayscale8), "bmp"},
                          {"grey.jpg", grey16.convertToFormat(QImage::Format_Grayscale8), "jpeg"}};
    for (const Case& c : cases) {
        const QString path = dir.filePath(c.name);
        QImageWriter writer(path, c.format);
        if (!writer.write(c.image)) {
            ADD_FAILURE() << c.name.toStdString() << ": " << writer.errorString().toStdString();
            continue;
        }
        Load(FolderItem::FromPath(path));
        ASSERT_TRUE(w->pix) << c.name.toStdString();
        EXPECT_EQ(w->pix->Image().format(), QImage::Format_RGB32) << c.name.toStdString();
        EXPECT_EQ(w->Title(), c.name);
        const Color px = w->pix->RGBSurface()->Pixel(5, 5);
        EXPECT_TRUE(px == 0x808080u || px == 0x102030u || px == 0x7F7F7Fu)
            << c.name.toStdString() << " " << px;
    }
}

TEST_F(IntakeTest, TheDemoImageIsScaledIntoTheSquareAndBecomesFrameZero) {
    fake_->screenHeight = 1200;
    w->_ToolsOpendemoimage_Action();
    ASSERT_TRUE(w->pix);
    EXPECT_EQ(w->imgsize, 640);
    EXPECT_EQ(w->can2size, 1150 - 30 - 640);
    EXPECT_EQ(w->pix->Width(), 640);
    EXPECT_EQ(w->originalpix, w->pix);
    ASSERT_TRUE(w->fola[0]);
    EXPECT_TRUE(w->fola[0]->Exists());
    EXPECT_EQ(w->Title(), QStringLiteral("Colocalization analysis")) << "the title stays";
    // reloading frame 0 reloads the demo image
    EXPECT_EQ(w->fola[0]->OpenAsPicture()->Width(), 640);
}

TEST_F(IntakeTest, DemoBytesThatDoNotDecodeChangeNothing) {
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("TEXT"));
    ASSERT_TRUE(FolderItem::FromPath(root.filePath(QStringLiteral("TEXT/168")))
                    ->WriteBytes(QByteArray("not an image")));
    ResourceFile::SetRoot(root.path());
    ReleaseResources();
    w->opendemo();
    EXPECT_FALSE(w->pix);
    EXPECT_FALSE(w->fola[0]);
    EXPECT_EQ(w->imgsize, 0);
    ResourceFile::SetRoot(QString());
    ReleaseResources();
}

// A temporary folder that cannot take the demo image's file: the user is told
// why, and nothing changes.
TEST_F(IntakeTest, ADemoImageThatCannotBeWrittenIsReported) {
    for (const WriteFault& f : {WriteFault::AtOpen(), WriteFault::AfterBytes(100)}) {
        fake_->messages.clear();
        {
            ScopedWriteFault full(f);
            w->_ToolsOpendemoimage_Action();
            EXPECT_EQ(full.Struck(), 1);
        }
        ASSERT_EQ(fake_->messages.size(), 1);
        const QString& message = fake_->messages.first();
        EXPECT_TRUE(message.startsWith(QStringLiteral(
            "The demo image could not be opened: it could not be written to the temporary "
            "folder \"")))
            << message.toStdString();
        EXPECT_FALSE(message.endsWith(QStringLiteral("\": .")));
        EXPECT_FALSE(w->pix);
        EXPECT_FALSE(w->fola[0]);
        EXPECT_EQ(w->imgsize, 0);
    }
    EXPECT_EQ(DemoNotWritten(QStringLiteral("/tmp/q"), QStringLiteral("No space left on device")),
              QStringLiteral("The demo image could not be opened: it could not be written to the "
                             "temporary folder \"/tmp/q\": No space left on device."));
    w->_ToolsOpendemoimage_Action();
    EXPECT_TRUE(w->pix) << "once the folder takes it";
    EXPECT_EQ(fake_->messages.size(), 1);
}

TEST_F(IntakeTest, MultiPageTiffOpensItsFirstPageAndGifItsPalette) {
    const QString fixtures = QStringLiteral(QV_TEST_FIXTURES);
    Load(FolderItem::FromPath(fixtures + QStringLiteral("/two_pages.tif")));
    ASSERT_TRUE(w->pix);
    EXPECT_EQ(w->pix->Width(), 6);
    EXPECT_EQ(w->pix->RGBSurface()->Pixel(2, 2), 0xC80000u);
    Load(FolderItem::FromPath(fixtures + QStringLiteral("/palette.gif")));
    ASSERT_TRUE(w->pix);
    EXPECT_EQ(w->pix->Width(), 5);
    EXPECT_EQ(w->pix->RGBSurface()->Pixel(1, 1), 0x102030u);
}

}  // namespace
}  // namespace qv
