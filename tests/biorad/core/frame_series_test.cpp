#include "biorad/core/frame_series.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

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
        {"one frame unsaved",
         {5, 5, 1, true, {}},
         "1 of the 5 frames could not be saved as a TIFF file: it beeped, and it is in the "
         "movie. " +
             rest},
        {"the only frame unsaved",
         {1, 1, 1, true, {}},
         "The frame could not be saved as a TIFF file: it beeped, and it is in the movie. " + rest},
        {"two unsaved",
         {12, 12, 2, true, {}},
         "2 of the 12 frames could not be saved as TIFF files: each beeped, and they are in the "
         "movie. " +
             rest},
        {"movie not finished, frames kept",
         {5, 5, 1, false, {}, "Seqmovie.mov", "disk full", false},
         "The movie \"Seqmovie.mov\" could not be written (disk full); its unfinished file was "
         "removed. 1 of the 5 frames could not be saved as a TIFF file: it beeped. The 4 frames "
         "saved whole are kept in the folder you specified in the previous dialog box."},
        {"movie failed at frame 2",
         {5, 2, 0, false, {}, "Seqmovie.mov", "", false},
         "The movie \"Seqmovie.mov\" could not be written; its unfinished file was removed. The "
         "export stopped after frame 2 of 5. The 2 frames saved whole are kept in the folder you "
         "specified in the previous dialog box."},
        {"movie failed at frame 1",
         {5, 1, 0, false, {}, "Seqmovie.mov", "", false},
         "The movie \"Seqmovie.mov\" could not be written; its unfinished file was removed. The "
         "export stopped after frame 1 of 5. The frame saved whole is kept in the folder you "
         "specified in the previous dialog box."},
        {"movie not written, no frame saved",
         {2, 2, 2, false, {}, "Seqmovie.mov", "", true},
         "The movie \"Seqmovie.mov\" could not be written; its unfinished file was removed. 2 of "
         "the 2 frames could not be saved as TIFF files: each beeped. No frame was saved, and the "
         "folder you specified in the previous dialog box was removed again."},
        {"nothing saved, folder kept",
         {1, 1, 1, false, {}, "Seqmovie.mov", "", false},
         "The movie \"Seqmovie.mov\" could not be written; its unfinished file was removed. The "
         "frame could not be saved as a TIFF file: it beeped. No frame was saved; the folder you "
         "specified in the previous dialog box could not be removed again."},
        {"stopped",
         {5, 2, 1, true, QStringLiteral("The file \"a.pic\" has changed.")},
         "The file \"a.pic\" has changed. The export stopped after frame 2 of 5. 1 of the 2 frames "
         "could not be saved as a TIFF file: it beeped, and it is in the movie. " +
             rest},
        {"stopped at once",
         {5, 0, 0, true, QStringLiteral("Gone.")},
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

// A movie that records what it is given and fails where it is told to.
class RecordedMovie final : public SeriesMovie {
public:
    bool Open(const QString& p, int width, int height, double rate) override {
        path = p;
        size = QSize(width, height);
        frameRate = rate;
        return !failOpen;
    }
    bool AppendPicture(const PicturePtr& picture) override {
        frames.push_back(picture);
        return static_cast<int>(frames.size()) != failAppendAt;
    }
    bool Finish() override {
        ++finished;
        return !failFinish;
    }
    QString ErrorText() const override { return failOpen || failFinish ? "disk full" : ""; }
    bool failOpen = false, failFinish = false;
    int failAppendAt = 0;  // the frame (from 1) whose append fails; 0 none
    QString path;
    QSize size;
    double frameRate = 0;
    std::vector<PicturePtr> frames;
    int finished = 0;
};

class SeriesRunTest : public ::testing::Test {
protected:
    FolderItemPtr Item(const QString& name) const { return FolderItem::FromPath(dir.filePath(name)); }
    QStringList Entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }
    QTemporaryDir dir;
    RecordedMovie movie;
};

TEST_F(SeriesRunTest, ASeriesStartsOnlyInAFolderItMadeItself) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("Old"));
    EXPECT_EQ(StartSeries(Item("Old"), movie, 4, 3), SeriesNameTaken("Old"));
    EXPECT_EQ(StartSeries(Item("none/Seq"), movie, 4, 3), SeriesFolderProblem("Seq"));
    EXPECT_TRUE(movie.path.isEmpty()) << "no movie before its folder";
    movie.failOpen = true;
    EXPECT_EQ(StartSeries(Item("Seq"), movie, 4, 3), SeriesMovieProblem("Seq", "disk full", true));
    EXPECT_EQ(SeriesMovieProblem("Seq", "disk full", true),
              "The movie \"Seqmovie.mov\" cannot be created in the folder \"Seq\" (disk full). The "
              "folder was removed again: nothing was written.");
    EXPECT_EQ(Entries(), QStringList{"Old"}) << "the new folder is removed again";

    movie.failOpen = false;
    EXPECT_EQ(StartSeries(Item("Seq"), movie, 4, 3), QString());
    EXPECT_EQ(movie.path, dir.filePath("Seq/Seqmovie.mov"));
    EXPECT_EQ(movie.size, QSize(4, 3));
    EXPECT_EQ(movie.frameRate, kSeriesFrameRate);
}

TEST_F(SeriesRunTest, EveryFrameMadeGoesToTheMovieAndTheSavedOnesToTheList) {
    const FolderItemPtr folder = Item("Seq");
    ASSERT_EQ(StartSeries(folder, movie, 2, 2), QString());
    const FolderItemPtr former = Item("former.tif");
    std::vector<FolderItemPtr> fseq(5, former);
    std::vector<PicturePtr> made;
    std::vector<int> progress;
    QStringList saved, order;
    int beeps = 0;
    SeriesSteps steps;
    steps.makeFrame = [&](int i, QString* why) -> PicturePtr {
        order << QStringLiteral("make %1").arg(i);
        if (i == 4) {
            *why = QStringLiteral("Gone.");
            return nullptr;
        }
        made.push_back(NewPicture(2, 2, 32));
        return made.back();
    };
    steps.saveFrame = [&](const PicturePtr& frame, const FolderItemPtr& file) {
        EXPECT_EQ(frame, made.back());
        saved << file->Name();
        return file->Name() != QLatin1String("Seq2.tif");
    };
    steps.beep = [&] { ++beeps; };
    steps.frameDone = [&](int i, int value) {
        order << QStringLiteral("done %1").arg(i);
        progress.push_back(value);
    };
    steps.keepAlive = [&] { order << QStringLiteral("alive %1").arg(movie.frames.size()); };

    const SeriesOutcome o = RunSeries(folder, 4, movie, steps, fseq);
    EXPECT_EQ(saved, (QStringList{"Seq1.tif", "Seq2.tif", "Seq3.tif"}));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(fseq[0], former);
    EXPECT_EQ(fseq[1]->AbsolutePath(), dir.filePath("Seq/Seq1.tif"));
    EXPECT_EQ(fseq[2], former) << "a frame not saved keeps its entry";
    EXPECT_EQ(fseq[3]->Name(), QStringLiteral("Seq3.tif"));
    EXPECT_EQ(fseq[4], former);
    EXPECT_EQ(movie.frames, made) << "the unsaved frame too";
    EXPECT_EQ(movie.finished, 1) << "finished with the frames made";
    EXPECT_EQ(progress, (std::vector<int>{25, 50, 75}));
    EXPECT_EQ(order.mid(0, 4), (QStringList{"make 1", "done 1", "alive 1", "make 2"}));
    EXPECT_EQ(o.frames, 4);
    EXPECT_EQ(o.made, 3);
    EXPECT_EQ(o.unsaved, 1);
    EXPECT_EQ(o.stop, QStringLiteral("Gone."));
    EXPECT_TRUE(o.movieWritten);
}

// The frames saved whole outlive a movie that fails, at any frame or at its
// end; the folder goes only when nothing was saved in it, and never takes a
// file that is not the export's.
TEST_F(SeriesRunTest, AMovieThatFailsKeepsTheFramesSavedWhole) {
    const FolderItemPtr former = Item("former.tif");
    QString intruder;  // a file of the user's that turns up in the folder
    bool save = true;  // whether the frames' files can be saved
    int made = 0;
    SeriesSteps steps;
    steps.makeFrame = [&](int, QString*) -> PicturePtr {
        ++made;
        return NewPicture(2, 2, 32);
    };
    steps.saveFrame = [&](const PicturePtr&, const FolderItemPtr& file) {
        if (!intruder.isEmpty()) FolderItem::FromPath(dir.filePath(intruder))->WriteBytes("mine");
        return save && file->WriteBytes("frame");
    };
    steps.beep = [] {};
    steps.frameDone = [](int, int) {};
    steps.keepAlive = [] {};
    struct Case {
        const char* what;
        int failAppendAt;  // 0: the movie fails at its end
        bool save;
        const char* intruder;
        QStringList left;  // what the folder holds afterwards
        bool removed;
    };
    const Case cases[] = {
        {"at the end", 0, true, "", {"Seq1.tif", "Seq2.tif", "Seq3.tif"}, false},
        {"at frame 2", 2, true, "", {"Seq1.tif", "Seq2.tif"}, false},
        {"no frame saved", 0, false, "", {}, true},
        {"no frame saved, a file of the user's", 0, false, "Seq/user.txt", {"user.txt"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        intruder = QString::fromLatin1(c.intruder);
        save = c.save;
        made = 0;
        RecordedMovie failing;
        failing.failFinish = true;
        failing.failAppendAt = c.failAppendAt;
        ASSERT_EQ(StartSeries(Item("Seq"), failing, 2, 2), QString());
        std::vector<FolderItemPtr> fseq(4, former);
        const SeriesOutcome o = RunSeries(Item("Seq"), 3, failing, steps, fseq);
        EXPECT_FALSE(o.movieWritten);
        EXPECT_EQ(o.movie, QStringLiteral("Seqmovie.mov"));
        EXPECT_EQ(o.movieError, QStringLiteral("disk full"));
        EXPECT_TRUE(o.stop.isEmpty());
        EXPECT_EQ(made, c.failAppendAt ? c.failAppendAt : 3) << "no frame after the movie failed";
        EXPECT_EQ(o.made, made);
        EXPECT_EQ(failing.finished, 1);
        EXPECT_EQ(o.removed, c.removed);
        EXPECT_EQ(Item("Seq")->Exists(), !c.removed);
        EXPECT_EQ(QDir(dir.filePath("Seq")).entryList(QDir::Files, QDir::Name), c.left);
        for (int i = 1; i <= 3; ++i) {
            const QString name = QStringLiteral("Seq%1.tif").arg(i);
            if (c.left.contains(name))
                EXPECT_EQ(fseq[static_cast<std::size_t>(i)]->AbsolutePath(),
                          dir.filePath("Seq/" + name))
                    << "a frame saved whole is handed over";
            else
                EXPECT_EQ(fseq[static_cast<std::size_t>(i)], former) << i;
        }
        QDir(dir.filePath("Seq")).removeRecursively();
    }
}

}  // namespace
}  // namespace qv
