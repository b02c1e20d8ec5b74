#include "platform/core/picture_reader.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/core/folderitem.h"
#include "support/png_bytes.h"

namespace qv {
namespace {

TEST(PictureReaderTest, WhatFitsIsCountedInPixelsOfA32BitPicture) {
    struct Case {
        int width, height;
        bool fits;
    };
    const Case cases[] = {{9000, 9000, true},    {16384, 16384, true}, {16385, 16384, false},
                          {65536, 4096, true},   {65536, 4097, false}, {1, 268435456, true},
                          {2, 268435456, false}, {0, 10, false},       {10, -1, false}};
    for (const Case& c : cases)
        EXPECT_EQ(PictureFits(QSize(c.width, c.height)), c.fits) << c.width << " x " << c.height;
    EXPECT_GE(kPictureReaderLimitMB, kMaxPicturePixels * 4 / (1024 * 1024))
        << "the reader takes every picture held, as 32 bits a pixel at least";
}

// The image reader's own default refuses anything over 128 MB: a 6000 x 6000
// picture (144 MB at 32 bits) was turned away without a word.
TEST(PictureReaderTest, APicturePastTheReadersDefaultLimitOpens) {
    QTemporaryDir dir;
    const FolderItemPtr f = FolderItem::FromPath(dir.filePath("wide.png"));
    ASSERT_TRUE(f->WriteBytes(test::FlatPng(6000, 6000, 10, 200, 30)));
    QString problem;
    const PicturePtr p = f->OpenAsPicture(&problem);
    ASSERT_TRUE(p);
    EXPECT_TRUE(problem.isEmpty());
    EXPECT_EQ(QSize(p->Width(), p->Height()), QSize(6000, 6000));
    for (const QPoint at : {QPoint(0, 0), QPoint(5999, 0), QPoint(2999, 3000), QPoint(5999, 5999)})
        EXPECT_EQ(p->RGBSurface()->Pixel(at.x(), at.y()), RGB(10, 200, 30))
            << at.x() << "," << at.y();
}

TEST(PictureReaderTest, APictureTooLargeToHoldIsRefusedWithItsSides) {
    const QSize claims[] = {{100000, 100000}, {16385, 16384}, {300000, 1000}};
    QTemporaryDir dir;
    for (const QSize size : claims) {
        const QByteArray bytes = test::ClaimingPng(size.width(), size.height());
        QString problem;
        EXPECT_FALSE(ReadPictureBytes(bytes, "huge.png", &problem));
        EXPECT_EQ(problem, PictureTooLarge("huge.png", size));
        const FolderItemPtr f = FolderItem::FromPath(dir.filePath("huge.png"));
        ASSERT_TRUE(f->WriteBytes(bytes));
        problem.clear();
        EXPECT_FALSE(f->OpenAsPicture(&problem));
        EXPECT_EQ(problem, PictureTooLarge("huge.png", size));
    }
    EXPECT_EQ(PictureTooLarge("huge.png", QSize(100000, 100000)),
              "\"huge.png\" is a picture of 100000 x 100000 pixels, more than this program can "
              "hold (at most 268435456 pixels, such as 16384 x 16384). It was not opened.");
}

// What does not decode is no picture, and nothing is said: the callers stay
// silent about it.
TEST(PictureReaderTest, WhatDoesNotDecodeIsNoPictureAndNoProblem) {
    const QByteArray bad[] = {test::ClaimingPng(100, 100), test::FlatPng(40, 30, 1, 2, 3).left(60),
                              QByteArray("not a picture"), QByteArray()};
    for (const QByteArray& bytes : bad) {
        QString problem;
        EXPECT_FALSE(ReadPictureBytes(bytes, "bad.png", &problem)) << bytes.size();
        EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
    }
    const PicturePtr small = ReadPictureBytes(test::FlatPng(40, 30, 1, 2, 3), "small.png");
    ASSERT_TRUE(small);
    EXPECT_EQ(small->RGBSurface()->Pixel(39, 29), RGB(1, 2, 3));
}

}  // namespace
}  // namespace qv
