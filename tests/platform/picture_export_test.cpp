#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "platform/core/whole_file_writer.h"
#include "platform/services.h"
#include "support/fake_services.h"

namespace qv {
namespace {

QByteArray Read(const QString& path) {
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
}

class PictureExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        picture_ = NewPicture(64, 48);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                picture_->RGBSurface()->SetPixel(x, y, RGB(x * 4, y * 5, 77));
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QStringList Entries() const {
        return QDir(dir_.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    test::ScopedFakeServices fake_;
    QTemporaryDir dir_;
    PicturePtr picture_;
};

// Every format the dialog offers, named in any letter case, is written whole;
// when the disk fills up part way the earlier picture keeps every byte.
TEST_F(PictureExportTest, EveryFormatIsWrittenWholeOrLeavesTheEarlierPicture) {
    struct Case {
        const char* name;
        bool lossless;
    };
    for (const Case c : {Case{"a.png", true}, Case{"b.JPG", false}, Case{"c.bmp", true},
                         Case{"d.tif", true}, Case{"e.TIFF", true}, Case{"f.ppm", true}}) {
        SCOPED_TRACE(c.name);
        const QString path = Path(QString::fromLatin1(c.name));
        fake_->picturePaths.push_back(path);
        ASSERT_TRUE(ExportPicture(picture_));
        const QImage back = QImage(path).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(back.size(), QSize(64, 48));
        if (c.lossless) {
            EXPECT_EQ(back, picture_->Image());
        }
        const QByteArray earlier = Read(path);

        ScopedWriteFault full(WriteFault::AfterBytes(20));  // within every header
        fake_->picturePaths.push_back(path);
        PicturePtr other = NewPicture(64, 48);  // white: different bytes
        EXPECT_FALSE(ExportPicture(other));
        EXPECT_EQ(Read(path), earlier);
        ASSERT_FALSE(fake_->messages.isEmpty());
        EXPECT_TRUE(fake_->messages.last().startsWith(
            QStringLiteral("The picture could not be written to \"%1\": ")
                .arg(QLatin1String(c.name))))
            << fake_->messages.last().toStdString();
    }
    EXPECT_EQ(Entries(), (QStringList{"a.png", "b.JPG", "c.bmp", "d.tif", "e.TIFF", "f.ppm"}));
}

TEST_F(PictureExportTest, ATargetThatCannotTakeThePictureIsReported) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder.png")));
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {"folder.png", "a folder of that name exists"},
        {"missing/x.png", "No such file or directory"},
        {"picture.qqq", ""},  // no writer for this format
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake_->picturePaths.push_back(Path(QString::fromLatin1(c.name)));
        EXPECT_FALSE(ExportPicture(picture_));
        ASSERT_FALSE(fake_->messages.isEmpty());
        EXPECT_TRUE(fake_->messages.last().contains(QLatin1String(c.reason)));
        EXPECT_TRUE(
            fake_->messages.last().startsWith(QStringLiteral("The picture could not be written")));
    }
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("folder.png")});
    fake_->messages.clear();
    EXPECT_FALSE(ExportPicture(picture_)) << "cancelled";
    EXPECT_TRUE(fake_->messages.isEmpty());
}

// The frame writer tells the truth: a frame that could not be written whole is
// false with a reason, and the frame before under that name stays.
TEST_F(PictureExportTest, ATiffFrameThatCannotBeWrittenWholeIsFalseAndLeavesTheEarlierOne) {
    const FolderItemPtr frame = FolderItem::FromPath(Path(QStringLiteral("Seq1.tif")));
    for (const auto compression :
         {TiffSettings::Compression::None, TiffSettings::Compression::Lzw}) {
        TiffSettings settings;
        settings.compression = compression;
        QString error;
        ASSERT_TRUE(WriteTiffFile(picture_, frame, settings, &error)) << error.toStdString();
        EXPECT_EQ(QImage(frame->AbsolutePath()).convertToFormat(QImage::Format_RGB32),
                  picture_->Image());
    }
    const QByteArray earlier = Read(frame->AbsolutePath());
    for (const WriteFault& f :
         {WriteFault::AfterBytes(0), WriteFault::AfterBytes(earlier.size() - 1),
          WriteFault::AtFlush()}) {
        ScopedWriteFault full(f);
        QString error;
        EXPECT_FALSE(WriteTiffFile(NewPicture(64, 48), frame, TiffSettings{}, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(Read(frame->AbsolutePath()), earlier);
    }
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("Seq1.tif")});
}

}  // namespace
}  // namespace qv
