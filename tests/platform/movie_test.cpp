#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <random>
#include <sys/resource.h>

#include "app/resources.h"
#include "platform/movie.h"
#include "platform/core/whole_file_writer.h"
#include "platform/moviewriter.h"

namespace qv {
namespace {

// Pictures of noise over the whole colour range, one seed per frame.
PicturePtr NoisePicture(int w, int h, unsigned seed) {
    PicturePtr p = NewPicture(w, h);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p->RGBSurface()->SetPixel(x, y, RGB(byte(rng), byte(rng), byte(rng)));
    // The extremes, and a flat run that run-length coding packs.
    p->RGBSurface()->SetPixel(0, 0, kWhite);
    p->RGBSurface()->SetPixel(1, 0, kBlack);
    for (int x = 0; x < w; ++x) p->RGBSurface()->SetPixel(x, h - 1, RGB(0, 255, 0));
    return p;
}

bool SamePixels(const PicturePtr& a, const PicturePtr& b) {
    if (!a || !b || a->Width() != b->Width() || a->Height() != b->Height()) return false;
    for (int y = 0; y < a->Height(); ++y)
        for (int x = 0; x < a->Width(); ++x)
            if (a->RGBSurface()->Pixel(x, y) != b->RGBSurface()->Pixel(x, y)) return false;
    return true;
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class MovieTest : public ::testing::Test {
  protected:
    void TearDown() override { ReleaseResources(); }

    // Writes the pictures as a movie and returns its path.
    QString Write(const std::vector<PicturePtr>& frames, double rate = 32.0,
                  MovieCodec codec = MovieCodec::Animation) {
        const QString path = dir_.filePath(QStringLiteral("m%1.mov").arg(++files_));
        MovieWriter w;
        EXPECT_TRUE(w.Open(path, frames[0]->Width(), frames[0]->Height(), rate, codec));
        for (const PicturePtr& f : frames) EXPECT_TRUE(w.AppendPicture(f));
        EXPECT_TRUE(w.Finish());
        return path;
    }

    // An earlier file at path, and a check that it alone is in the folder, as it was.
    static inline const QByteArray kEarlier = QByteArrayLiteral("an earlier movie");
    static bool WriteEarlier(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(kEarlier) == kEarlier.size();
    }
    void OnlyTheEarlierFile(const QString& path) const {
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{QFileInfo(path).fileName()});
        EXPECT_EQ(ReadFile(path), kEarlier);
    }

    QTemporaryDir dir_;
    int files_ = 0;
};

TEST_F(MovieTest, WrittenMovieReadsBackEveryFrameLosslessly) {
    struct Case {
        const char* name;
        MovieCodec codec;
        int frames, width, height;
        double rate;
    };
    const Case cases[] = {
        {"animation, one frame", MovieCodec::Animation, 1, 16, 16, 32.0},
        {"animation, odd size", MovieCodec::Animation, 5, 37, 23, 32.0},
        {"png", MovieCodec::Png, 4, 20, 12, 10.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<PicturePtr> in;
        for (int i = 0; i < c.frames; ++i) in.push_back(NoisePicture(c.width, c.height, 100u + i));
        const std::vector<MovieFrame> out = DecodeMovie(ReadFile(Write(in, c.rate, c.codec)));
        ASSERT_EQ(out.size(), in.size());  // the last frame too
        for (int i = 0; i < c.frames; ++i) {
            EXPECT_TRUE(SamePixels(out[i].picture, in[i])) << "frame " << i;
            EXPECT_NEAR(out[i].time, i * 1000.0 / c.rate, 1.0) << "frame " << i;
        }
        // The last frame lasts as long as the others.
        EXPECT_NEAR(out.back().duration, 1000.0 / c.rate, 1.0);
    }
}

TEST_F(MovieTest, WriterRefusesWhatItCannotWrite) {
    MovieWriter w;
    EXPECT_FALSE(w.AppendPicture(NoisePicture(4, 4, 1)));  // not open
    EXPECT_FALSE(w.Finish());
    EXPECT_FALSE(w.Open(dir_.filePath(QStringLiteral("no/such/folder/m.mov")), 4, 4, 32.0));
    EXPECT_FALSE(w.Open(dir_.filePath(QStringLiteral("z.mov")), 0, 4, 32.0));
    EXPECT_FALSE(w.Open(dir_.filePath(QStringLiteral("z.mov")), 4, 4, 0.0));
    EXPECT_FALSE(w.IsOpen());

    const QString path = dir_.filePath(QStringLiteral("sizes.mov"));
    ASSERT_TRUE(w.Open(path, 4, 4, 32.0));
    EXPECT_FALSE(w.Open(path, 4, 4, 32.0));  // already open
    EXPECT_TRUE(w.AppendPicture(NoisePicture(4, 4, 1)));
    EXPECT_FALSE(w.AppendPicture(NoisePicture(5, 4, 2)));
    EXPECT_FALSE(w.AppendPicture(nullptr));
    EXPECT_TRUE(w.AppendPicture(NoisePicture(4, 4, 3)));
    EXPECT_EQ(w.FrameCount(), 2);
    EXPECT_TRUE(w.Finish());
    EXPECT_FALSE(w.IsOpen());
    EXPECT_EQ(DecodeMovie(ReadFile(path)).size(), 2u);
}

TEST_F(MovieTest, AMovieThatCannotBeCreatedOrFinishedLeavesTheEarlierFile) {
    const QString path = dir_.filePath(QStringLiteral("kept.mov"));
    ASSERT_TRUE(WriteEarlier(path));
    {
        ScopedWriteFault fault(WriteFault::AtOpen().Named(".mov"));
        MovieWriter w;
        EXPECT_FALSE(w.Open(path, 8, 8, 32.0));
        EXPECT_FALSE(w.IsOpen());
        EXPECT_FALSE(w.ErrorText().isEmpty());
        EXPECT_EQ(fault.Struck(), 1);
        OnlyTheEarlierFile(path);
    }
    struct Case {
        const char* what;
        WriteFault fault;
    };
    const Case finishes[] = {
        {"disk full while written", WriteFault::AfterBytes(64).Named(".mov")},
        {"final flush", WriteFault::AtFlush().Named(".mov")},
        {"rename", WriteFault::AtRename().Named(".mov")},
    };
    for (const Case& c : finishes) {
        SCOPED_TRACE(c.what);
        ScopedWriteFault fault(c.fault);
        MovieWriter w;
        ASSERT_TRUE(w.Open(path, 8, 8, 32.0));
        EXPECT_TRUE(w.AppendPicture(NoisePicture(8, 8, 1)));
        EXPECT_FALSE(w.Finish());
        EXPECT_FALSE(w.ErrorText().isEmpty());
        EXPECT_EQ(fault.Struck(), 1);
        OnlyTheEarlierFile(path);
    }
    // Without a fault the finished movie replaces the earlier file.
    MovieWriter w;
    ASSERT_TRUE(w.Open(path, 8, 8, 32.0));
    EXPECT_EQ(ReadFile(path), kEarlier) << "until the movie is finished";
    EXPECT_TRUE(w.AppendPicture(NoisePicture(8, 8, 1)));
    EXPECT_TRUE(w.Finish());
    EXPECT_TRUE(w.ErrorText().isEmpty());
    EXPECT_EQ(DecodeMovie(ReadFile(path)).size(), 1u);
}

// Files of this process can grow to `bytes` only, as on a disk that fills up:
// a write past that fails (EFBIG) instead of stopping the process.
class ScopedFileSizeLimit {
  public:
    explicit ScopedFileSizeLimit(rlim_t bytes) {
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &before_);
        rlimit limit = before_;
        limit.rlim_cur = bytes;
        ok_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~ScopedFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, signal_);
    }
    bool Ok() const { return ok_; }

  private:
    rlimit before_{};
    void (*signal_)(int) = nullptr;
    bool ok_ = false;
};

TEST_F(MovieTest, TheEncodersOwnFailedWritesAreNoticedInTheDrainAndTheTrailer) {
    const QString path = dir_.filePath(QStringLiteral("kept.mov"));
    ASSERT_TRUE(WriteEarlier(path));
    struct Case {
        const char* what;
        int side, frames;
    };
    // Large noise frames overflow the encoder's buffer while they are drained;
    // small ones stay in it until the trailer is written.
    const Case cases[] = {{"drain", 128, 8}, {"trailer", 8, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MovieWriter w;
        bool appended = true, finished = true;
        {
            ScopedFileSizeLimit limit(1024);
            ASSERT_TRUE(limit.Ok());
            ASSERT_TRUE(w.Open(path, c.side, c.side, 32.0)) << w.ErrorText().toStdString();
            for (int i = 0; i < c.frames; ++i)
                appended = w.AppendPicture(NoisePicture(c.side, c.side, 10u + i)) && appended;
            finished = w.Finish();
        }
        EXPECT_FALSE(finished);
        EXPECT_EQ(appended, c.side == 8) << "the drain fails only with the large frames";
        EXPECT_FALSE(w.ErrorText().isEmpty());
        OnlyTheEarlierFile(path);
    }
}

TEST_F(MovieTest, DestroyingAnOpenWriterFinishesTheFile) {
    const QString path = dir_.filePath(QStringLiteral("left.mov"));
    {
        MovieWriter w;
        ASSERT_TRUE(w.Open(path, 8, 8, 32.0));
        ASSERT_TRUE(w.AppendPicture(NoisePicture(8, 8, 7)));
        ASSERT_TRUE(w.AppendPicture(NoisePicture(8, 8, 8)));
    }
    const std::vector<MovieFrame> frames = DecodeMovie(ReadFile(path));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_TRUE(SamePixels(frames[1].picture, NoisePicture(8, 8, 8)));
}

TEST_F(MovieTest, LogoMoviesDecodeForTheSplashPlayer) {
    for (const MoviePtr& m : {small(), small2()}) {
        ASSERT_TRUE(m);
        const std::vector<MovieFrame> frames = DecodeMovie(m->Bytes());
        ASSERT_GT(frames.size(), 10u);
        EXPECT_EQ(frames[0].time, 0);
        for (size_t i = 0; i < frames.size(); ++i) {
            EXPECT_EQ(frames[i].picture->Width(), 256);
            EXPECT_EQ(frames[i].picture->Height(), 256);
            if (i) {
                EXPECT_GT(frames[i].time, frames[i - 1].time);
            }
        }
        // A few seconds long, and animated.
        EXPECT_GE(frames.back().time, 1000);
        EXPECT_LE(frames.back().time, 10000);
        EXPECT_FALSE(SamePixels(frames.front().picture, frames[frames.size() / 2].picture));
    }
}

TEST_F(MovieTest, PlayerShowsEveryFrameInOrderAndFiresPlayOnce) {
    std::vector<PicturePtr> in;
    for (int i = 0; i < 4; ++i) in.push_back(NoisePicture(12, 10, 40u + i));
    MoviePlayer player;
    int plays = 0;
    PicturePtr shownAtPlay;
    player.Play = [&] {
        ++plays;
        shownAtPlay = player.CurrentFrame();
    };
    player.SetMovie(Movie::FromFile(Write(in)));
    player.PlayMovie();
    EXPECT_TRUE(player.Playing());
    EXPECT_EQ(plays, 0);  // nothing has shown yet
    EXPECT_FALSE(player.CurrentFrame());
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(player.AdvanceFrame());
        EXPECT_TRUE(SamePixels(player.CurrentFrame(), in[i])) << "frame " << i;
        EXPECT_EQ(plays, 1);
    }
    EXPECT_TRUE(SamePixels(shownAtPlay, in[0]));
    EXPECT_TRUE(player.Playing());  // the last frame has its time
    EXPECT_FALSE(player.AdvanceFrame());
    EXPECT_FALSE(player.Playing());  // no looping
    EXPECT_FALSE(player.AdvanceFrame());
    EXPECT_EQ(player.FramesShown(), 4);
    EXPECT_TRUE(SamePixels(player.CurrentFrame(), in[3]));
    EXPECT_EQ(plays, 1);

    // Playing again starts from the first frame and fires Play again.
    player.PlayMovie();
    ASSERT_TRUE(player.AdvanceFrame());
    EXPECT_TRUE(SamePixels(player.CurrentFrame(), in[0]));
    EXPECT_EQ(plays, 2);
    player.Stop();
    EXPECT_FALSE(player.Playing());
    EXPECT_FALSE(player.AdvanceFrame());
    EXPECT_TRUE(SamePixels(player.CurrentFrame(), in[0]));  // stays on show
}

TEST_F(MovieTest, LogoMoviesFirePlayFromTheEventLoop) {
    for (const MoviePtr& m : {small(), small2()}) {
        MoviePlayer player;
        int plays = 0;
        player.Play = [&] { ++plays; };
        player.SetMovie(m);
        EXPECT_EQ(player.Movie(), m);
        player.PlayMovie();
        for (int i = 0; i < 5 && plays == 0; ++i) QCoreApplication::processEvents();
        EXPECT_EQ(plays, 1);
        ASSERT_TRUE(player.CurrentFrame());
        EXPECT_EQ(player.CurrentFrame()->Width(), 256);
        while (player.AdvanceFrame()) {
        }
        EXPECT_EQ(plays, 1);
        EXPECT_EQ(static_cast<size_t>(player.FramesShown()), DecodeMovie(m->Bytes()).size());
    }
}

TEST_F(MovieTest, UndecodableMovieNeverFiresPlay) {
    std::mt19937 rng(5);
    QByteArray garbage(4096, '\0');
    for (char& b : garbage) b = static_cast<char>(rng());
    const QByteArray logo = small2() ? small2()->Bytes() : QByteArray();
    struct Case {
        const char* name;
        MoviePtr movie;
    };
    const Case cases[] = {
        {"no movie", nullptr},
        {"empty", std::make_shared<Movie>(QByteArray())},
        {"garbage", std::make_shared<Movie>(garbage)},
        {"cut short", std::make_shared<Movie>(logo.left(logo.size() / 3))},
        {"missing file", Movie::FromFile(dir_.filePath(QStringLiteral("none.mov")))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.movie) {
            EXPECT_TRUE(DecodeMovie(c.movie->Bytes()).empty());
        }
        MoviePlayer player;
        int plays = 0;
        player.Play = [&] { ++plays; };
        player.SetMovie(c.movie);
        player.PlayMovie();
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
        EXPECT_FALSE(player.AdvanceFrame());
        EXPECT_FALSE(player.Playing());
        EXPECT_FALSE(player.CurrentFrame());
        EXPECT_EQ(plays, 0);
    }
}

TEST_F(MovieTest, NewMovieStopsThePlayingOne) {
    MoviePlayer player;
    player.SetMovie(small2());
    player.PlayMovie();
    ASSERT_TRUE(player.AdvanceFrame());
    player.SetMovie(small());
    EXPECT_FALSE(player.Playing());
    EXPECT_FALSE(player.CurrentFrame());
    EXPECT_EQ(player.Movie(), small());
}

}  // namespace
}  // namespace qv
