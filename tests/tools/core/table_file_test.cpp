#include "tools/core/table_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QFile>
#include <QTemporaryDir>

namespace qv {
namespace {

class TableFileTest : public ::testing::Test {
protected:
    FolderItem File(const QString& name) const { return FolderItem(dir_.filePath(name)); }
    static QByteArray Read(const FolderItem& f) {
        QFile in(f.AbsolutePath());
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    }
    static void Put(const FolderItem& f, const QByteArray& bytes) {
        QFile out(f.AbsolutePath());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    QTemporaryDir dir_;
};

TEST_F(TableFileTest, WritesReplacesAndAppendsWholeBlocks) {
    const FolderItem f = File(QStringLiteral("sheet.xls"));
    EXPECT_EQ(WriteTable(f, {"a\tb", "Gr\u00fcn"}), TableWrite::Done);
    EXPECT_EQ(Read(f), QByteArray("a\tb\nGr\xc3\xbcn\n"));
    EXPECT_EQ(WriteTable(f, {"x"}), TableWrite::Done);
    EXPECT_EQ(Read(f), QByteArray("x\n")) << "an existing file is replaced";
    EXPECT_EQ(AppendTable(f, {"y", "z"}), TableWrite::Done);
    EXPECT_EQ(Read(f), QByteArray("x\ny\nz\n"));
}

TEST_F(TableFileTest, AppendedBlockStartsOnALineOfItsOwn) {
    struct Case {
        QByteArray before, after;
    };
    const Case cases[] = {
        {"", "new\n"},
        {"old", "old\nnew\n"},
        {"old\n", "old\nnew\n"},
        {"old\r\n", "old\r\nnew\n"},
        {"old\r", "old\rnew\n"},
    };
    for (const Case& c : cases) {
        const FolderItem f = File(QStringLiteral("a.xls"));
        Put(f, c.before);
        EXPECT_EQ(AppendTable(f, {"new"}), TableWrite::Done);
        EXPECT_EQ(Read(f), c.after) << c.before.constData();
    }
}

TEST_F(TableFileTest, RefusalsLeaveEveryFileAsItWas) {
    const FolderItem workbook = File(QStringLiteral("book.xls"));
    const QByteArray binary("\xd0\xcf\x11\xe0\0\0\0\0rest", 12);
    Put(workbook, binary);
    EXPECT_EQ(AppendTable(workbook, {"new"}), TableWrite::NotPlainText);
    EXPECT_EQ(Read(workbook), binary);

    const FolderItem missing = File(QStringLiteral("gone.xls"));
    EXPECT_EQ(AppendTable(missing, {"new"}), TableWrite::CannotRead);
    EXPECT_FALSE(missing.Exists());

    // A named pipe is refused before it is opened (reading it would wait for ever).
    const FolderItem pipe = File(QStringLiteral("pipe.xls"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe.AbsolutePath()).constData(), 0600), 0);
    QString reason;
    EXPECT_EQ(AppendTable(pipe, {"new"}, &reason), TableWrite::CannotRead);
    EXPECT_EQ(reason, QStringLiteral("it is not a regular file"));

    const FolderItem nowhere = File(QStringLiteral("no/such/folder/t.xls"));
    EXPECT_EQ(WriteTable(nowhere, {"a"}), TableWrite::CannotWrite);
    EXPECT_FALSE(nowhere.Exists());

    EXPECT_TRUE(TableWriteMessage(TableWrite::Done, "t.xls").isEmpty());
    for (TableWrite r : {TableWrite::CannotWrite, TableWrite::CannotRead, TableWrite::NotPlainText})
        EXPECT_TRUE(TableWriteMessage(r, "t.xls").contains(QLatin1String("\"t.xls\"")));
}

}  // namespace
}  // namespace qv
