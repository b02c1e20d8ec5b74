#include "platform/core/whole_file_writer.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

namespace qv {
namespace {

QByteArray Read(const QString& path) {
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
}

void Put(const QString& path, const QByteArray& bytes) {
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    ASSERT_EQ(out.write(bytes), bytes.size());
}

QByteArray Pattern(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = char('a' + i % 26);
    return bytes;
}

class WholeFileWriterTest : public ::testing::Test {
  protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // Everything in the folder, hidden files included: no temporary file may stay.
    QStringList Entries() const {
        return QDir(dir_.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    QTemporaryDir dir_;
};

TEST_F(WholeFileWriterTest, WritesNewFilesAndReplacesOldOnesKeepingTheirPermissions) {
    const QString path = Path(QStringLiteral("sheet.xls"));
    QString error;
    ASSERT_TRUE(WriteFileWhole(path, "first\n", &error)) << error.toStdString();
    EXPECT_EQ(Read(path), QByteArray("first\n"));
    ASSERT_TRUE(
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));

    const QByteArray big = Pattern(300 * 1024);  // several chunks
    ASSERT_TRUE(WriteFileWhole(path, big));
    EXPECT_EQ(Read(path), big);
    EXPECT_EQ(QFile::permissions(path) & 0x7077,  // owner, group, others
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("sheet.xls")});
}

// Each fault, over an earlier file and as a new file: the commit fails with a
// reason, the earlier file keeps every byte (or no file appears), and no
// temporary file is left behind.
TEST_F(WholeFileWriterTest, AFailureAnywhereLeavesTheEarlierFileAsItWas) {
    struct Case {
        const char* name;
        WriteFault fault;
        int size;
    };
    const Case cases[] = {
        {"open", WriteFault::AtOpen(), 100},
        {"first byte", WriteFault::AfterBytes(0), 100},
        {"after 10 bytes of a small file", WriteFault::AfterBytes(10), 100},
        {"after 70000 bytes", WriteFault::AfterBytes(70000), 200000},
        {"one byte short", WriteFault::AfterBytes(199999), 200000},
        {"flush", WriteFault::AtFlush(), 100},
        {"rename", WriteFault::AtRename(), 100},
    };
    const QByteArray old = "old picture bytes";
    for (const Case& c : cases) {
        for (const bool earlier : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (earlier ? " over an earlier file" : " new file"));
            const QString path = Path(QStringLiteral("out.png"));
            QFile::remove(path);
            if (earlier) Put(path, old);
            ScopedWriteFault fault(c.fault);
            WholeFileWriter out(path);
            if (out.Open()) out.write(Pattern(c.size));
            EXPECT_FALSE(out.Commit());
            EXPECT_TRUE(out.Failed());
            EXPECT_FALSE(out.ErrorText().isEmpty());
            EXPECT_EQ(fault.Struck(), 1);
            EXPECT_EQ(Read(path), earlier ? old : QByteArray("<missing>"));
            EXPECT_EQ(Entries(), earlier ? QStringList{QStringLiteral("out.png")} : QStringList{});
        }
    }
}

TEST_F(WholeFileWriterTest, APictureWriterOnTheDeviceFailsWholeWhenTheDiskDoes) {
    const QString path = Path(QStringLiteral("cells.png"));
    Put(path, "valid old picture");
    QImage image(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x, y, (x * y) & 255));
    {
        ScopedWriteFault fault(WriteFault::AfterBytes(4096));
        WholeFileWriter out(path);
        ASSERT_TRUE(out.Open());
        QImageWriter(&out, "png").write(image);
        EXPECT_FALSE(out.Commit());
    }
    EXPECT_EQ(Read(path), QByteArray("valid old picture"));

    WholeFileWriter out(path);
    ASSERT_TRUE(out.Open());
    ASSERT_TRUE(QImageWriter(&out, "png").write(image));
    ASSERT_TRUE(out.Commit());
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), image);
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("cells.png")});
}

// A writer that writes by path (a movie encoder) gets a temporary path beside
// the target with the target's extension; commit renames it over the target.
TEST_F(WholeFileWriterTest, APathWriterCommitsByRenameAndFailsWithoutTouchingTheTarget) {
    const QString path = Path(QStringLiteral("Seqmovie.mov"));
    auto writeByPath = [](const QString& p, const QByteArray& bytes) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    {
        WholeFileWriter out(path);
        ASSERT_TRUE(out.Reserve());
        EXPECT_TRUE(out.TemporaryPath().endsWith(QLatin1String(".mov")));
        EXPECT_EQ(QFileInfo(out.TemporaryPath()).absolutePath(), dir_.path());
        EXPECT_FALSE(QFileInfo::exists(path));
        writeByPath(out.TemporaryPath(), "movie");
        ASSERT_TRUE(out.Commit());
    }
    EXPECT_EQ(Read(path), QByteArray("movie"));

    const WriteFault faults[] = {WriteFault::AtFlush(), WriteFault::AfterBytes(3),
                                 WriteFault::AtRename()};
    for (const WriteFault& f : faults) {
        ScopedWriteFault fault(f);
        WholeFileWriter out(path);
        ASSERT_TRUE(out.Reserve());
        writeByPath(out.TemporaryPath(), "a longer movie");
        EXPECT_FALSE(out.Commit());
        EXPECT_EQ(Read(path), QByteArray("movie"));
        EXPECT_EQ(Entries(), QStringList{QStringLiteral("Seqmovie.mov")});
    }
    {
        WholeFileWriter out(path);
        ASSERT_TRUE(out.Reserve());
        writeByPath(out.TemporaryPath(), "given up");
        out.Discard();
        EXPECT_FALSE(out.Commit());
    }
    {
        WholeFileWriter abandoned(path);  // neither committed nor discarded
        ASSERT_TRUE(abandoned.Open());
        abandoned.write("lost");
    }
    EXPECT_EQ(Read(path), QByteArray("movie"));
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("Seqmovie.mov")});
}

TEST_F(WholeFileWriterTest, TheFaultStrikesOnlyTheWritersItNames) {
    ScopedWriteFault fault(
        WriteFault::AfterBytes(0).Named(QStringLiteral(".TIF")).Skip(1).Times(1));
    EXPECT_TRUE(WriteFileWhole(Path(QStringLiteral("Seq1.tif")), "1"));      // skipped
    EXPECT_TRUE(WriteFileWhole(Path(QStringLiteral("Seqmovie.mov")), "m"));  // not named
    EXPECT_FALSE(WriteFileWhole(Path(QStringLiteral("Seq2.tif")), "2"));     // struck
    EXPECT_TRUE(WriteFileWhole(Path(QStringLiteral("Seq3.tif")), "3"));      // only once
    EXPECT_EQ(fault.Struck(), 1);
    EXPECT_EQ(Entries(), (QStringList{QStringLiteral("Seq1.tif"), QStringLiteral("Seq3.tif"),
                                      QStringLiteral("Seqmovie.mov")}));
}

TEST_F(WholeFileWriterTest, RefusesAFolderAndAPlaceThatCannotHoldAFile) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("pictures.png")));
    Put(Path(QStringLiteral("pictures.png/inside")), "kept");
    Put(Path(QStringLiteral("plain")), "a file, not a folder");
    const QString targets[] = {Path(QStringLiteral("pictures.png")),
                               Path(QStringLiteral("plain/table.xls")),
                               Path(QStringLiteral("missing/table.xls"))};
    for (const QString& target : targets) {
        SCOPED_TRACE(target.toStdString());
        QString error;
        EXPECT_FALSE(WriteFileWhole(target, "x", &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(Read(Path(QStringLiteral("pictures.png/inside"))), QByteArray("kept"));
    EXPECT_EQ(Read(Path(QStringLiteral("plain"))), QByteArray("a file, not a folder"));
    EXPECT_EQ(Entries(), (QStringList{QStringLiteral("pictures.png"), QStringLiteral("plain")}));
    EXPECT_EQ(QDir(Path(QStringLiteral("pictures.png")))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("inside")});
}

// A folder without write permission; root passes over permissions, so for
// root the folder is made immutable as well (where the file system allows).
TEST_F(WholeFileWriterTest, AReadOnlyFolderLeavesTheEarlierFile) {
    const QString folder = Path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("locked")));
    const QString path = folder + QStringLiteral("/sheet.xls");
    Put(path, "earlier");
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    bool immutable = false;
    if (::geteuid() == 0) {
        const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            immutable = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        if (fd >= 0) ::close(fd);
    }
    const bool locked = ::geteuid() != 0 || immutable;
    QString error;
    const bool written = locked && WriteFileWhole(path, "new", &error);
    if (immutable) {
        const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        ::ioctl(fd, FS_IOC_GETFLAGS, &flags);
        flags &= ~FS_IMMUTABLE_FL;
        ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        ::close(fd);
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!locked) GTEST_SKIP() << "root here cannot make a folder read-only";
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Read(path), QByteArray("earlier"));
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("sheet.xls")});
}

// The checked steps against a device that is always full: an unbuffered write
// fails at once; a buffered write seems to succeed and its flush must fail.
TEST(WriteChecksTest, AFullDeviceFailsTheWriteOrTheFlush) {
    if (!QFileInfo::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full";
    const QByteArray bytes(100, 'x');
    QString error;
    QFile direct(QStringLiteral("/dev/full"));
    ASSERT_TRUE(direct.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    EXPECT_FALSE(WriteAllChecked(direct, bytes.constData(), bytes.size(), &error));
    EXPECT_FALSE(error.isEmpty());

    error.clear();
    QFile buffered(QStringLiteral("/dev/full"));
    ASSERT_TRUE(buffered.open(QIODevice::WriteOnly));
    EXPECT_TRUE(WriteAllChecked(buffered, bytes.constData(), bytes.size(), &error));
    EXPECT_FALSE(FlushAndSyncChecked(buffered, &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
}  // namespace qv
