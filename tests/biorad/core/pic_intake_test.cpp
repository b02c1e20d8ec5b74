#include "biorad/core/pic_intake.h"

#include <gtest/gtest.h>

#include "biorad/pic_fixtures.h"

namespace qv {
namespace {

using testing::PicBytes;

PicSource Memory(const QString& name, const QByteArray& bytes) {
    return {name, [bytes] { return BinaryStream::FromBytes(bytes); }};
}

QByteArray Stack(int nx, int ny, int npics) {
    return PicBytes(nx, ny, npics, [](int, int, int) { return 7; });
}

TEST(PicIntakeTest, ThreeFilesAreSortedByNameTwoKeepTheirOrder) {
    EXPECT_EQ(DroppedFileOrder({"c.pic", "a.pic", "b.pic"}), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(DroppedFileOrder({"B.pic", "a.pic", "C.PIC"}), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(DroppedFileOrder({"b.pic", "a.pic"}), (std::vector<int>{0, 1}));
    EXPECT_EQ(DroppedFileOrder({"z.pic"}), (std::vector<int>{0}));
}

TEST(PicIntakeTest, TheHeaderComesFromTheLastFileInOrder) {
    // c.pic holds two images, the others three: the count is c.pic's.
    const std::vector<PicSource> three = {Memory("c.pic", Stack(4, 3, 2)),
                                          Memory("a.pic", Stack(4, 3, 3)),
                                          Memory("b.pic", Stack(4, 3, 3))};
    IntakeCheck c = CheckDroppedFiles(three);
    EXPECT_TRUE(c.problem.isEmpty()) << c.problem.toStdString();
    EXPECT_EQ(c.order, (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(c.header, (PicHeader{4, 3, 2}));

    const std::vector<PicSource> two = {Memory("b.pic", Stack(4, 3, 3)),
                                        Memory("a.pic", Stack(4, 3, 1))};
    c = CheckDroppedFiles(two);
    EXPECT_TRUE(c.problem.isEmpty());
    EXPECT_EQ(c.header, (PicHeader{4, 3, 1}));
}

TEST(PicIntakeTest, ADropIsRefusedWhenAnyFileCannotBeTaken) {
    QByteArray truncated = Stack(4, 3, 3);
    truncated.chop(1);
    struct Case {
        const char* what;
        std::vector<PicSource> files;
        const char* problem;
    };
    const PicSource good = Memory("a.pic", Stack(4, 3, 3));
    const Case cases[] = {
        {"four files", {good, good, good, good}, "At most three PIC files"},
        {"one broken of three",
         {good, Memory("b.pic", truncated), Memory("c.pic", Stack(4, 3, 3))},
         "\"b.pic\" is shorter"},
        {"header file broken", {good, Memory("b.pic", QByteArray(3, 'x'))}, "\"b.pic\" is too short"},
        {"other sizes", {Memory("a.pic", Stack(5, 3, 3)), Memory("b.pic", Stack(4, 3, 3))},
         "\"a.pic\" holds images of 5 x 3 pixels and \"b.pic\" of 4 x 3 pixels"},
        {"fewer images than the header file",
         {Memory("a.pic", Stack(4, 3, 2)), Memory("b.pic", Stack(4, 3, 3))}, "fewer than the 3"},
        {"gone", {PicSource{"g.pic", [] { return std::unique_ptr<BinaryStream>(); }}},
         "\"g.pic\" cannot be opened"},
    };
    for (const Case& c : cases) {
        const IntakeCheck check = CheckDroppedFiles(c.files);
        EXPECT_TRUE(check.problem.contains(QLatin1String(c.problem)))
            << c.what << ": " << check.problem.toStdString();
    }
}

TEST(PicIntakeTest, AReadIntakeOpensTheHeadersFileAndShowsAOneImageFileGrey) {
    const QByteArray one = PicBytes(4, 3, 1, [](int, int x, int y) { return 10 * y + x; });
    IntakeRead r = ReadIntake(std::vector<PicSource>{Memory("g.pic", one)});
    ASSERT_TRUE(r.stream) << r.problem.toStdString();
    EXPECT_EQ(r.header, (PicHeader{4, 3, 1}));
    ASSERT_TRUE(r.grey);
    EXPECT_EQ(r.grey->RGBSurface()->Pixel(3, 2), RGB(23, 23, 23));
    EXPECT_EQ(r.stream->Position(), kPicPixelStart) << "left at the first image for the merges";

    // Several files, or several images, are merged later: no grey picture.
    r = ReadIntake(std::vector<PicSource>{Memory("b.pic", Stack(4, 3, 1)), Memory("a.pic", Stack(4, 3, 1))});
    ASSERT_TRUE(r.stream);
    EXPECT_FALSE(r.grey);
    EXPECT_EQ(r.order, (std::vector<int>{0, 1}));
    r = ReadIntake(std::vector<PicSource>{Memory("s.pic", Stack(4, 3, 3))});
    EXPECT_TRUE(r.stream && !r.grey);

    // A header file that changes between the check and its opening is refused.
    int opened = 0;
    const PicSource changing{"c.pic", [&] {
                                 return BinaryStream::FromBytes(++opened == 1 ? Stack(4, 3, 2)
                                                                              : Stack(5, 3, 2));
                             }};
    r = ReadIntake(std::vector<PicSource>{changing});
    EXPECT_FALSE(r.stream);
    EXPECT_TRUE(r.problem.contains(QLatin1String("\"c.pic\" holds images of 5 x 3 pixels")))
        << r.problem.toStdString();
}

TEST(PicIntakeTest, ProcessingLineCountsChannels) {
    EXPECT_EQ(ProcessingText({512, 512, 3}), QStringLiteral("Processing 512x512px, 3 channels"));
    EXPECT_EQ(ProcessingText({768, 512, 1}), QStringLiteral("Processing 768x512px, 1 channel"));
}

TEST(PicIntakeTest, CanvasAndWindowFitTheImageAndTheScreen) {
    EXPECT_EQ(ImportSizing(2000, 1500, 1280, 1024), (ImportSizes{1180, 874, 1250, 994}));
    EXPECT_EQ(ImportSizing(200, 100, 1280, 1024), (ImportSizes{200, 220, 250, 220}));
    // The window never goes below the least size; the canvas keeps its own.
    const QSize least(268, 119);
    EXPECT_EQ(ImportSizing(16, 16, 1280, 1024, least), (ImportSizes{16, 136, 268, 136}));
    EXPECT_EQ(ImportSizing(64, 48, 1280, 1024, least), (ImportSizes{64, 168, 268, 168}));
    EXPECT_EQ(ImportSizing(16, -20, 1280, 1024, least), (ImportSizes{16, 100, 268, 119}));
    EXPECT_EQ(ImportSizing(2000, 1500, 1280, 1024, least), (ImportSizes{1180, 874, 1250, 994}));
}

TEST(PicIntakeTest, TheLeastWindowKeepsEveryControlWholeAndApart) {
    const QSize design(300, 400);
    struct Case {
        const char* what;
        std::vector<AnchoredControl> controls;
        QSize least;
    };
    const AnchoredControl left{.rect = QRect(10, 300, 100, 20), .bottom = true};
    const AnchoredControl button{.rect = QRect(200, 300, 80, 20), .right = true, .bottom = true};
    const AnchoredControl frame{.rect = QRect(-8, 280, 150, 100), .bottom = true, .frame = true};
    const AnchoredControl label{.rect = QRect(0, 375, 300, 20), .bottom = true, .clickable = false};
    const AnchoredControl top{.rect = QRect(10, 50, 60, 20)};
    const std::vector<Case> cases = {
        {"a field whole inside", {left}, {110, 100}},
        {"a button whole inside", {button}, {100, 100}},
        {"a button right of a field in its row", {left, button}, {210, 100}},
        {"one in another row",
         {left, {.rect = QRect(50, 270, 80, 20), .right = true, .bottom = true}},
         {300 - 50, 130}},
        {"a frame's contents", {frame, left}, {142, 120}},
        {"a button kept clear of a frame", {frame, button}, {300 - 200 + 142, 120}},
        {"a label touching a frame", {frame, label}, {300, 120}},
        {"a fixed control above bottom-locked ones", {top, left}, {110, 100 + 70}},
    };
    for (const Case& c : cases) EXPECT_EQ(LeastWindowSize(c.controls, design), c.least) << c.what;
}

}  // namespace
}  // namespace qv
