#include "biorad/core/frame_series.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(FrameSeriesTest, FramesAndMovieAreNamedAfterTheSeries) {
    EXPECT_EQ(FrameFileName(QStringLiteral("Seq"), 1), QStringLiteral("Seq1.tif"));
    EXPECT_EQ(FrameFileName(QStringLiteral("Seq"), 10), QStringLiteral("Seq10.tif"));
    EXPECT_EQ(FrameFileName(QStringLiteral("cell 2"), 123), QStringLiteral("cell 2123.tif"));
    EXPECT_EQ(MovieFileName(QStringLiteral("Seq")), QStringLiteral("Seqmovie.mov"));
}

TEST(FrameSeriesTest, ProgressStepsAreWholeParts) {
    struct Case {
        int i, npics, expected;
    };
    // 29 / 100 * 100 is 28.999999999999996 in floating point.
    const Case frames[] = {{1, 5, 20}, {5, 5, 100}, {1, 3, 33}, {2, 3, 66}, {29, 100, 29},
                           {57, 100, 57}, {1, 82, 1}, {82, 82, 100}, {0, 0, 0}};
    for (const Case& c : frames) EXPECT_EQ(FrameProgress(c.i, c.npics), c.expected) << c.i << "/" << c.npics;

    struct Step {
        int value, npics, k, files, expected;
    };
    const Step steps[] = {{0, 4, 0, 3, 0},  {0, 4, 1, 3, 8},   {8, 4, 2, 3, 24},
                          {20, 5, 1, 3, 26}, {26, 5, 2, 3, 39}, {40, 1, 1, 2, 90},
                          {7, 0, 1, 3, 7}};
    for (const Step& s : steps)
        EXPECT_EQ(InFrameProgress(s.value, s.npics, s.k, s.files), s.expected)
            << s.value << " " << s.npics << " " << s.k << " " << s.files;
}

TEST(FrameSeriesTest, TheClosingMessageTellsWhatWentWrong) {
    const QString stored = QStringLiteral(
        "The QuickTime movie (along with its frames) is stored in the folder you specified in the "
        "previous dialog box.");
    const QString rest = QStringLiteral(
        "What was saved is stored in the folder you specified in the previous dialog box.");
    struct Case {
        const char* what;
        SeriesOutcome outcome;
        QString message;
    };
    const Case cases[] = {
        {"all saved", {5, 5, 0, true, {}}, stored},
        {"one frame unsaved", {5, 5, 1, true, {}},
         "1 of the 5 frames could not be saved as a TIFF file: it beeped, and it is in the movie. " +
             rest},
        {"the only frame unsaved", {1, 1, 1, true, {}},
         "The frame could not be saved as a TIFF file: it beeped, and it is in the movie. " + rest},
        {"two unsaved", {12, 12, 2, true, {}},
         "2 of the 12 frames could not be saved as TIFF files: each beeped, and they are in the "
         "movie. " + rest},
        {"movie unfinished", {5, 5, 0, false, {}},
         "The movie could not be written completely. " + rest},
        {"stopped", {5, 2, 1, true, QStringLiteral("The file \"a.pic\" has changed.")},
         "The file \"a.pic\" has changed. The export stopped after frame 2 of 5. 1 of the 2 frames "
         "could not be saved as a TIFF file: it beeped, and it is in the movie. " + rest},
        {"stopped at once", {5, 0, 0, true, QStringLiteral("Gone.")},
         "Gone. The export stopped before its first frame. " + rest},
    };
    for (const Case& c : cases) EXPECT_EQ(SeriesMessage(c.outcome), c.message) << c.what;
}

TEST(FrameSeriesTest, SavedFramesKeepTheirOrderWithoutTheUnsaved) {
    auto f = [](const char* name) { return FolderItem::FromPath(QString::fromLatin1(name)); };
    const FolderItemPtr a = f("/s/Seq1.tif"), c = f("/s/Seq3.tif"), d = f("/s/Seq4.tif");
    const std::vector<FolderItemPtr> fseq = {f("/s/index0"), a, nullptr, c, d, f("/s/Seq5.tif")};
    EXPECT_EQ(SavedFrames(fseq, 4), (std::vector<FolderItemPtr>{a, c, d}));
    EXPECT_EQ(SavedFrames(fseq, 9).size(), 4u) << "never past the list";
    EXPECT_TRUE(SavedFrames(fseq, 0).empty());
    EXPECT_TRUE(SavedFrames({}, 3).empty());
}

}  // namespace
}  // namespace qv
