#include "biorad/core/channel_merge.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

#include "biorad/pic_fixtures.h"

namespace qv {
namespace {

using testing::PicBytes;
using testing::Stack433;

PicSource Memory(const QString& name, const QByteArray& bytes) {
    return {name, [bytes] { return BinaryStream::FromBytes(bytes); }};
}

struct MergeRun {
    MergeResult result;
    QStringList statuses;
};

MergeRun MergeStack(const QByteArray& bytes, const QString& letters) {
    MergeRun run;
    MergeHooks hooks;
    hooks.status = [&run](const QString& s) { run.statuses << s; };
    auto in = BinaryStream::FromBytes(bytes);
    const PicHeader h = ReadPicHeader(*in);
    run.result = RenderStack(Memory(QStringLiteral("s.pic"), bytes), h, letters, hooks);
    return run;
}

Color At32(const MergeRun& run) { return run.result.pix->RGBSurface()->Pixel(3, 2); }

TEST(ChannelLettersTest, GreyThenOmissionReplaceTheirChannel) {
    struct Case {
        const char* order;
        int grey, omit;
        const char* letters;
    };
    const Case cases[] = {
        {"RGB", 0, 0, "RGB"},  {"GBR", 0, 0, "GBR"},  {"RGB", 2, 0, "XGB"},
        {"RGB", 4, 0, "RGX"},  {"RGB", 0, 2, "KGB"},  {"RGB", 3, 3, "RXB"},
        {"RGB", 2, 4, "XGK"},  {"GRB", 3, 0, "XRB"},  {"GRB", 3, 2, "XKB"},
        {"GRB", 3, 3, "XRB"},  {"BRG", 6, 6, "BRG"},  {"BGR", 1, 5, "BGR"},
        {"RGB", -1, 7, "RGB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChannelLetters(QLatin1String(c.order), c.grey, c.omit), QLatin1String(c.letters))
            << c.order << " " << c.grey << " " << c.omit;
}

TEST(ChannelMergeTest, OneFilesImagesBecomeTheChannelsOfTheirLetters) {
    struct Case {
        const char* letters;
        Color expected;
    };
    const Case cases[] = {
        {"RGB", RGB(23, 123, 223)}, {"GBR", RGB(223, 23, 123)}, {"XGB", RGB(23, 146, 246)},
        {"RGX", RGB(246, 255, 223)}, {"KGB", RGB(0, 123, 223)}, {"RXB", RGB(146, 123, 255)},
        {"XGK", RGB(23, 146, 23)},  {"KKK", RGB(0, 0, 0)},
    };
    for (const Case& c : cases) {
        const MergeRun run = MergeStack(Stack433(), QLatin1String(c.letters));
        ASSERT_TRUE(run.result.pix) << c.letters << ": " << run.result.problem.toStdString();
        EXPECT_EQ(run.result.pix->Width(), 4);
        EXPECT_EQ(run.result.pix->Height(), 3);
        EXPECT_EQ(At32(run), c.expected) << c.letters;
    }
}

TEST(ChannelMergeTest, StatusesNameOnlyThePlanesRead) {
    EXPECT_EQ(MergeStack(Stack433(), QStringLiteral("KGB")).statuses,
              (QStringList{"4x3 3 channels, processing green...", "4x3 3 channels, processing blue...",
                           "4x3 , merging...", "Change channel order or click Done"}));
    EXPECT_EQ(MergeStack(Stack433(), QStringLiteral("XRB")).statuses.first(),
              QStringLiteral("4x3 3 channels, processing phase..."));
    const QByteArray one = PicBytes(512, 512, 1, [](int, int, int) { return 1; });
    EXPECT_EQ(MergeStack(one, QStringLiteral("RGB")).statuses.first(),
              QStringLiteral("512x512 1 channel, processing red..."));
}

TEST(ChannelMergeTest, MissingImagesLeaveTheirChannelBlackAndLaterOnesAreNotRead) {
    const QByteArray two = PicBytes(4, 3, 2, [](int i, int x, int y) { return 100 * i + 10 * y + x; });
    EXPECT_EQ(At32(MergeStack(two, QStringLiteral("RGB"))), RGB(23, 123, 0));
    // Images 4 and 5 of a five-image stack never reach a channel.
    const QByteArray five = PicBytes(4, 3, 5, [](int i, int x, int y) { return 40 * i + 10 * y + x; });
    const MergeRun run = MergeStack(five, QStringLiteral("RGB"));
    EXPECT_EQ(At32(run), RGB(23, 63, 103));
    EXPECT_EQ(run.statuses.size(), 5);
}

TEST(ChannelMergeTest, EachMergeMakesANewPicture) {
    const MergeRun a = MergeStack(Stack433(), QStringLiteral("RGB"));
    const MergeRun b = MergeStack(Stack433(), QStringLiteral("RGB"));
    ASSERT_TRUE(a.result.pix && b.result.pix);
    EXPECT_NE(a.result.pix, b.result.pix);
}

TEST(ChannelMergeTest, SeveralFilesGiveOneImageEach) {
    auto file = [](int k) {
        return PicBytes(4, 3, 1, [k](int, int x, int y) { return 100 * k + 10 * y + x; });
    };
    const std::vector<PicSource> files = {Memory("0.pic", file(0)), Memory("1.pic", file(1)),
                                          Memory("2.pic", file(2))};
    const PicHeader h{4, 3, 1};
    QStringList statuses;
    std::vector<int> before;
    MergeHooks hooks;
    hooks.status = [&statuses](const QString& s) { statuses << s; };
    hooks.beforeFile = [&before](int k) { before.push_back(k); };
    MergeResult r = RenderFiles(files, h, 0, QStringLiteral("BRG"), hooks);
    ASSERT_TRUE(r.pix) << r.problem.toStdString();
    EXPECT_EQ(r.pix->RGBSurface()->Pixel(3, 2), RGB(123, 223, 23));
    EXPECT_EQ(statuses.first(), QStringLiteral("4x3 3 channels, processing blue..."));

    before.clear();
    r = RenderFiles(std::span(files).first(2), h, 0, QStringLiteral("RKB"), hooks);
    ASSERT_TRUE(r.pix);
    EXPECT_EQ(r.pix->RGBSurface()->Pixel(3, 2), RGB(23, 0, 0));
    EXPECT_EQ(before, (std::vector<int>{0, 1}));

    // Frame 2 of three-image files.
    const std::vector<PicSource> stacks = {Memory("a.pic", Stack433()), Memory("b.pic", Stack433())};
    r = RenderFiles(stacks, PicHeader{4, 3, 3}, 2, QStringLiteral("XGB"));
    ASSERT_TRUE(r.pix);
    EXPECT_EQ(r.pix->RGBSurface()->Pixel(3, 2), RGB(223, 255, 223));
}

TEST(ChannelMergeTest, ASingleFilesFrameIsItsImageInGrey) {
    const PicHeader h{4, 3, 3};
    for (int image = 0; image < 3; ++image) {
        QStringList statuses;
        MergeHooks hooks;
        hooks.status = [&statuses](const QString& s) { statuses << s; };
        const MergeResult r = RenderImage(Memory("s.pic", Stack433()), h, image, hooks);
        ASSERT_TRUE(r.pix) << image;
        const int v = 100 * image + 23;
        EXPECT_EQ(r.pix->RGBSurface()->Pixel(3, 2), RGB(v, v, v)) << image;
        EXPECT_EQ(r.pix->RGBSurface()->Pixel(0, 0), RGB(v - 23, v - 23, v - 23)) << image;
        EXPECT_EQ(statuses, (QStringList{"4x3 3 channels, processing phase...", MergedStatus()}));
    }
    // An image past the stack, or a file that no longer holds it, gives no picture.
    EXPECT_FALSE(RenderImage(Memory("s.pic", Stack433()), h, 3).pix);
    EXPECT_FALSE(RenderImage(Memory("s.pic", Stack433()), h, -1).pix);
    const MergeResult shrunk = RenderImage(Memory("s.pic", Stack433().left(90)), h, 0);
    EXPECT_FALSE(shrunk.pix);
    EXPECT_TRUE(shrunk.problem.contains(QLatin1String("\"s.pic\" has changed or is gone")));
}

TEST(ChannelMergeTest, AFileChangedSinceTheIntakeGivesAProblemAndNoPicture) {
    const PicHeader h{4, 3, 3};
    QByteArray shrunk = Stack433();
    shrunk.chop(4);
    struct Case {
        const char* what;
        PicSource source;
    };
    const Case cases[] = {
        {"gone", PicSource{"s.pic", [] { return std::unique_ptr<BinaryStream>(); }}},
        {"shrunk", Memory("s.pic", shrunk)},
        {"other size", Memory("s.pic", PicBytes(3, 4, 3, [](int, int, int) { return 0; }))},
        {"fewer images", Memory("s.pic", PicBytes(4, 3, 2, [](int, int, int) { return 0; }))},
    };
    for (const Case& c : cases) {
        const MergeResult r = RenderStack(c.source, h, QStringLiteral("RGB"));
        EXPECT_FALSE(r.pix) << c.what;
        EXPECT_TRUE(r.problem.contains(QLatin1String("\"s.pic\" has changed or is gone")))
            << c.what << ": " << r.problem.toStdString();
        const std::vector<PicSource> files = {Memory("a.pic", Stack433()), c.source};
        const MergeResult several = RenderFiles(files, h, 0, QStringLiteral("RGB"));
        EXPECT_FALSE(several.pix) << c.what;
        EXPECT_TRUE(several.problem.contains(QLatin1String("\"s.pic\""))) << c.what;
    }
    // A frame past the stack's images is never read.
    const std::vector<PicSource> files = {Memory("a.pic", Stack433())};
    EXPECT_FALSE(RenderFiles(files, h, 3, QStringLiteral("RGB")).pix);
}

}  // namespace
}  // namespace qv
