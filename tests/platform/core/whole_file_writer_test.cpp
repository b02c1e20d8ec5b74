#include "platform/core/whole_file_writer.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <csignal>

#include "support/file_bytes.h"
#include "support/named_pipe.h"

namespace qv {
namespace {

using test::Put;
using test::Read;

bool IsFifo(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

// Sets or clears the immutable flag of a file; false where the file system or
// the user's rights do not allow it.
bool SetImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

// A real limit on the size of the files this process writes, for its life;
// the signal a write past it would raise is ignored, so the write comes back
// short or fails, as on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &before_);
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = before_;
        limit.rlim_cur = bytes;
        set_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, signal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool Set() const { return set_; }

  private:
    rlimit before_{};
    void (*signal_)(int) = nullptr;
    bool set_ = false;
};

QByteArray Pattern(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = char('a' + i % 26);
    return bytes;
}

class WholeFileWriterTest : public ::testing::Test {
  protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // Everything in the folder, hidden files, pipes and dangling links
    // included: no temporary file may stay.
    QStringList Entries(const QString& folder = QString()) const {
        return QDir(Path(folder))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
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

// The real writes fail at a file size limit: at once, part way through one
// write, or in the last bytes written at the commit. The writer reports it, and
// the earlier file keeps every byte.
TEST_F(WholeFileWriterTest, AWriteCutShortByAFileSizeLimitLeavesTheEarlierFile) {
    struct Case {
        const char* name;
        rlim_t limit;
        int pieces;  // written in pieces of 1000 bytes
    };
    const Case cases[] = {
        {"nothing can be written", 0, 1},
        {"the first write comes back short", 500, 1},
        {"a full chunk goes out, the rest at the commit is cut short", 70000, 100},
    };
    const QString path = Path(QStringLiteral("table.xls"));
    const QByteArray old = Pattern(2000);
    Put(path, old);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool committed = true;
        QString error;
        {
            const FileSizeLimit limit(c.limit);
            ASSERT_TRUE(limit.Set());
            WholeFileWriter out(path);
            if (out.Open())
                for (int i = 0; i < c.pieces; ++i) out.write(Pattern(1000));
            committed = out.Commit();
            error = out.ErrorText();
        }
        EXPECT_FALSE(committed);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(Read(path), old);
        EXPECT_EQ(Entries(), QStringList{QStringLiteral("table.xls")});
    }
}

// The rename itself fails (the temporary file has gone before it): the commit
// reports it and the earlier file stays.
TEST_F(WholeFileWriterTest, ARenameThatFailsIsReportedAndLeavesTheEarlierFile) {
    const QString path = Path(QStringLiteral("cells.png"));
    Put(path, "earlier");
    WholeFileWriter out(path);
    ASSERT_TRUE(out.Open());
    out.write(Pattern(100));
    ASSERT_TRUE(QFile::remove(out.TemporaryPath()));
    EXPECT_FALSE(out.Commit());
    EXPECT_TRUE(out.Failed());
    EXPECT_FALSE(out.ErrorText().isEmpty());
    EXPECT_EQ(Read(path), QByteArray("earlier"));
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("cells.png")});
}

// An immutable file cannot be renamed over, not even by root.
TEST_F(WholeFileWriterTest, AnImmutableFileIsNotReplaced) {
    const QString path = Path(QStringLiteral("sheet.xls"));
    Put(path, "earlier");
    if (!SetImmutable(path, true))
        GTEST_SKIP() << "this file system or user cannot make a file immutable";
    QString error;
    const bool written = WriteFileWhole(path, "new", &error);
    SetImmutable(path, false);
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Read(path), QByteArray("earlier"));
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("sheet.xls")});
}

// Saving onto a link replaces or creates the file it points to and keeps the
// link, whether that file exists yet or not, through a chain of links too; a
// failed write leaves the file (or its absence) and the link as they were.
TEST_F(WholeFileWriterTest, ALinkIsKeptAndTheFileItPointsToIsWritten) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("real")));
    struct Case {
        const char* name;
        const char* link;
        const char* pointsTo;  // as the link holds it
        const char* file;      // the file at the end of the links
        bool exists;
    };
    const Case cases[] = {
        {"to an existing file", "a.png", "real/a.png", "real/a.png", true},
        {"to a file not made yet", "b.png", "real/b.png", "real/b.png", false},
        {"relative, not made yet", "real/c.png", "c2.png", "real/c2.png", false},
        {"a chain to a file not made yet", "d.png", "b2.png", "real/d.png", false},
    };
    ASSERT_TRUE(QFile::link(Path(QStringLiteral("real/d.png")), Path(QStringLiteral("b2.png"))));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString link = Path(QString::fromLatin1(c.link));
        const QString file = Path(QString::fromLatin1(c.file));
        if (c.exists) Put(file, "earlier");
        ASSERT_EQ(::symlink(c.pointsTo, QFile::encodeName(link).constData()), 0);
        const QStringList before = Entries();
        const QStringList beforeReal = Entries(QStringLiteral("real"));
        {
            ScopedWriteFault fault(WriteFault::AfterBytes(3));
            QString error;
            EXPECT_FALSE(WriteFileWhole(link, "failed", &error));
            EXPECT_FALSE(error.isEmpty());
        }
        EXPECT_EQ(Read(file), c.exists ? QByteArray("earlier") : QByteArray("<missing>"));
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(Entries(), before);
        EXPECT_EQ(Entries(QStringLiteral("real")), beforeReal);

        ASSERT_TRUE(WriteFileWhole(link, "written"));
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(QFile::symLinkTarget(link), QFileInfo(link).absolutePath() + QLatin1Char('/') +
                                                  QString::fromLatin1(c.pointsTo));
        EXPECT_EQ(Read(file), QByteArray("written"));
        EXPECT_EQ(Read(link), QByteArray("written"));
    }
}

// A named pipe is no file to replace: it is refused, stays a pipe, and nothing
// is left beside it; the same through a link to it.
TEST_F(WholeFileWriterTest, ANamedPipeIsRefusedAndStaysAPipe) {
    const QString pipe = Path(QStringLiteral("q.png"));
    const test::NamedPipe made(pipe);
    ASSERT_TRUE(made.Made());
    const QString link = Path(QStringLiteral("link.png"));
    ASSERT_TRUE(QFile::link(pipe, link));
    for (const QString& target : {pipe, link}) {
        SCOPED_TRACE(target.toStdString());
        QString error;
        EXPECT_FALSE(WriteFileWhole(target, "picture", &error));
        EXPECT_EQ(error, QStringLiteral("it is not a regular file"));
        EXPECT_TRUE(IsFifo(pipe));
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(Entries(), (QStringList{QStringLiteral("link.png"), QStringLiteral("q.png")}));
    }
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
