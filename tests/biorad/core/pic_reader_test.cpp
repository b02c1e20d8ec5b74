#include "biorad/core/pic_reader.h"

#include <gtest/gtest.h>

#include "biorad/pic_fixtures.h"

namespace qv {
namespace {

using testing::PicBytes;
using testing::PicHeaderBytes;
using testing::Stack433;

PicSource Memory(const QString& name, const QByteArray& bytes) {
    return {name, [bytes] { return BinaryStream::FromBytes(bytes); }};
}

TEST(PicReaderTest, HeaderWordsAreSignedLittleEndian) {
    auto in = BinaryStream::FromBytes(PicHeaderBytes(768, 512, 3));
    EXPECT_EQ(ReadPicHeader(*in), (PicHeader{768, 512, 3}));
    auto minus = BinaryStream::FromBytes(PicHeaderBytes(0xFFFF, 0x8000, 0x7FFF));
    EXPECT_EQ(ReadPicHeader(*minus), (PicHeader{-1, -32768, 32767}));
}

TEST(PicReaderTest, ImagesFollowTheHeaderWithoutGaps) {
    const PicHeader h{4, 3, 3};
    EXPECT_EQ(ImageStart(h, 0), 76);
    EXPECT_EQ(ImageStart(h, 1), 88);
    EXPECT_EQ(ImageStart(h, 2), 100);
    // Offsets of large stacks do not overflow 32 bits.
    EXPECT_EQ(ImageStart(PicHeader{8192, 8192, 32767}, 32767), 76 + 32767LL * 8192 * 8192);

    auto in = BinaryStream::FromBytes(Stack433());
    in->SetPosition(kPicPixelStart);
    const PicPlane first = ReadPlane(*in, 4, 3);
    const PicPlane second = ReadPlane(*in, 4, 3);
    ASSERT_FALSE(first.Empty());
    ASSERT_FALSE(second.Empty());
    EXPECT_EQ(first.Row(2)[3], 23);
    EXPECT_EQ(first.Row(0)[0], 0);
    EXPECT_EQ(second.Row(2)[3], 123);
    EXPECT_EQ(second.Row(1)[0], 110);
    EXPECT_EQ(in->Position(), 100);
}

TEST(PicReaderTest, PixelsLieRowByRowFromByte76) {
    // Marks at bytes 76, 843 and 844 of a 768 x 512 image.
    QByteArray bytes = PicBytes(768, 512, 1, [](int, int, int) { return 0; });
    bytes[76] = 11;
    bytes[843] = 22;
    bytes[844] = 33;
    auto in = BinaryStream::FromBytes(bytes);
    const PicHeader h = ReadPicHeader(*in);
    ASSERT_EQ(h, (PicHeader{768, 512, 1}));
    in->SetPosition(kPicPixelStart);
    const PicturePtr p = PlanePicture(ReadPlane(*in, h.nx, h.ny), PlaneTint::Phase);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Width(), 768);
    EXPECT_EQ(p->Height(), 512);
    EXPECT_EQ(p->RGBSurface()->Pixel(0, 0), RGB(11, 11, 11));
    EXPECT_EQ(p->RGBSurface()->Pixel(767, 0), RGB(22, 22, 22));
    EXPECT_EQ(p->RGBSurface()->Pixel(0, 1), RGB(33, 33, 33));
    EXPECT_EQ(p->RGBSurface()->Pixel(1, 1), kBlack);
}

TEST(PicReaderTest, EachReaderColoursAByteForItsChannel) {
    struct Case {
        PlaneTint tint;
        Color expected;
    };
    const QByteArray bytes = PicBytes(2, 1, 1, [](int, int, int) { return 200; });
    for (const Case& c : {Case{PlaneTint::Red, RGB(200, 0, 0)}, Case{PlaneTint::Green, RGB(0, 200, 0)},
                          Case{PlaneTint::Blue, RGB(0, 0, 200)},
                          Case{PlaneTint::Phase, RGB(200, 200, 200)}}) {
        auto in = BinaryStream::FromBytes(bytes);
        in->SetPosition(kPicPixelStart);
        const PicturePtr p = PlanePicture(ReadPlane(*in, 2, 1), c.tint);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->RGBSurface()->Pixel(1, 0), c.expected) << static_cast<int>(c.tint);
    }
}

TEST(PicReaderTest, APlaneBeyondTheEndIsNotRead) {
    auto in = BinaryStream::FromBytes(Stack433());
    in->SetPosition(ImageStart(PicHeader{4, 3, 3}, 2) + 1);
    EXPECT_TRUE(ReadPlane(*in, 4, 3).Empty());
}

TEST(PicReaderTest, FilesThatCannotBeReadAreRefusedBeforeAnyPlane) {
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* problem;  // part of the message; "" for a readable file
    };
    QByteArray oneShort = Stack433();
    oneShort.chop(1);
    const Case cases[] = {
        {"readable", Stack433(), ""},
        {"readable with trailing data", Stack433() + QByteArray(9, 'x'), ""},
        {"empty", QByteArray(), "too short"},
        {"five bytes", QByteArray(5, '\1'), "too short"},
        {"header words only", PicHeaderBytes(1, 1, 1).left(6),
         "shorter than the 1 image of 1 x 1 pixels its header announces"},
        {"one image of width 0", PicHeaderBytes(0, 3, 1), "announces 1 image of 0 x 3 pixels"},
        {"width -1", PicHeaderBytes(0xFFFF, 3, 3) + QByteArray(100, '\0'), "3 images of -1 x 3"},
        {"height 0", PicHeaderBytes(4, 0, 3), "cannot be read"},
        {"count 0", PicHeaderBytes(4, 3, 0), "0 images"},
        {"count -2", PicHeaderBytes(4, 3, 0xFFFE), "-2 images"},
        {"one byte short", oneShort, "shorter than the 3 images of 4 x 3"},
        {"wider than the limit", PicHeaderBytes(8193, 1, 1) + QByteArray(8193, '\0'),
         "8193 x 1 pixels; the largest"},
        {"32767 cubed", PicHeaderBytes(32767, 32767, 32767), "32767 x 32767"},
        // 32 bits would wrap 8192 * 8192 * 32767 to a small number.
        {"huge header on a tiny file", PicHeaderBytes(8192, 8192, 32767) + QByteArray(24, '\0'),
         "shorter than the 32767 images of 8192 x 8192"},
    };
    for (const Case& c : cases) {
        const CheckedStream s = OpenChecked(Memory(QStringLiteral("a.pic"), c.bytes));
        if (*c.problem == '\0') {
            EXPECT_TRUE(s.stream) << c.what << ": " << s.problem.toStdString();
            EXPECT_TRUE(s.problem.isEmpty()) << c.what;
        } else {
            EXPECT_FALSE(s.stream) << c.what;
            EXPECT_TRUE(s.problem.contains(QLatin1String(c.problem))) << c.what << ": "
                                                                       << s.problem.toStdString();
            EXPECT_TRUE(s.problem.contains(QLatin1String("\"a.pic\""))) << c.what;
        }
    }
}

TEST(PicReaderTest, AStackMemberMustMatchTheHeaderFile) {
    const PicHeader stack{4, 3, 3};
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* problem;
    };
    const Case cases[] = {
        {"same size, same count", Stack433(), ""},
        {"more images", PicBytes(4, 3, 4, [](int, int, int) { return 1; }), ""},
        {"fewer images", PicBytes(4, 3, 2, [](int, int, int) { return 1; }),
         "holds 2 images, fewer than the 3 of \"c.pic\""},
        {"one image", PicBytes(4, 3, 1, [](int, int, int) { return 1; }),
         "holds 1 image, fewer than the 3 of \"c.pic\""},
        {"other width", PicBytes(5, 3, 3, [](int, int, int) { return 1; }),
         "\"a.pic\" holds images of 5 x 3 pixels and \"c.pic\" of 4 x 3 pixels"},
        {"other height", PicBytes(4, 2, 3, [](int, int, int) { return 1; }), "4 x 2 pixels"},
    };
    for (const Case& c : cases) {
        const CheckedStream s =
            OpenChecked(Memory(QStringLiteral("a.pic"), c.bytes), &stack, QStringLiteral("c.pic"));
        EXPECT_EQ(!s.stream, *c.problem != '\0') << c.what;
        EXPECT_TRUE(s.problem.contains(QLatin1String(c.problem))) << c.what << ": "
                                                                   << s.problem.toStdString();
    }
    const PicSource gone{QStringLiteral("gone.pic"), [] { return std::unique_ptr<BinaryStream>(); }};
    EXPECT_EQ(OpenChecked(gone).problem, QStringLiteral("The file \"gone.pic\" cannot be opened."));
}

}  // namespace
}  // namespace qv
