#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <functional>

#include "app/resources.h"
#include "app/session.h"
#include "support/fake_services.h"

namespace qv {
namespace {

// Every test starts and ends with empty slots, the compiled-in resources and
// no reads counted.
class ResourcesTest : public ::testing::Test {
  protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        ReleaseResources();
        ResourceFile::SetRoot(QString());
        ResourceFile::ResetReads();
    }
    // A root where no resource exists.
    void PointAtNothing() { ResourceFile::SetRoot(empty_.path()); }

    QTemporaryDir empty_;
};

struct PictureAsset {
    const char* name;
    std::function<PicturePtr()> get;
    int id;
    int width, height;  // 0: any size
    int transparent;
};

const PictureAsset kPictures[] = {
    {"QVlogga128", QVlogga128, 168, 128, 128, 0},
    {"yelCurs", yelCurs, 170, 0, 0, 1},
    {"arrowBlack", arrowBlack, 171, 16, 16, 1},
    {"arrowWhiteBG", arrowWhiteBG, 172, 16, 16, 0},
    {"arrowBlacknonT", arrowBlacknonT, 173, 16, 16, 0},
    {"yelCursIcon", yelCursIcon, 174, 0, 0, 0},
    {"arrowWhiteIcon", arrowWhiteIcon, 175, 0, 0, 0},
    {"arrowBlackIcon", arrowBlackIcon, 176, 0, 0, 0},
};

TEST_F(ResourcesTest, EachPictureIsLoadedOnceAndShared) {
    for (const PictureAsset& a : kPictures) {
        SCOPED_TRACE(a.name);
        PicturePtr first = a.get();
        ASSERT_TRUE(first);
        EXPECT_EQ(a.get(), first);
        EXPECT_EQ(ResourceFile::Reads(QStringLiteral("picture"), a.id), 1);
        EXPECT_EQ(first->Transparent, a.transparent);
        if (a.width) {
            EXPECT_EQ(first->Width(), a.width);
        }
        if (a.height) {
            EXPECT_EQ(first->Height(), a.height);
        }
        // What one user draws into the shared picture, the next one sees.
        first->RGBSurface()->SetPixel(0, 0, RGB(1, 2, 3));
        EXPECT_EQ(a.get()->RGBSurface()->Pixel(0, 0), RGB(1, 2, 3));
    }
}

TEST_F(ResourcesTest, MoviesAndCursorsAreLoadedOnceAndShared) {
    struct Case {
        const char* kind;
        int id;
        std::function<const void*()> get;
    };
    const Case cases[] = {
        {"movie", 168, [] { return static_cast<const void*>(small().get()); }},
        {"movie", 169, [] { return static_cast<const void*>(small2().get()); }},
        {"cursor", 169, [] { return static_cast<const void*>(cursArrowWhite().get()); }},
        {"cursor", 171, [] { return static_cast<const void*>(cursArrowBlack().get()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + std::to_string(c.id));
        const void* first = c.get();
        ASSERT_TRUE(first);
        EXPECT_EQ(c.get(), first);
        EXPECT_EQ(ResourceFile::Reads(QString::fromLatin1(c.kind), c.id), 1);
    }
    EXPECT_NE(small(), small2());
    EXPECT_NE(small()->Bytes(), small2()->Bytes());
}

TEST_F(ResourcesTest, CursorsPointWhereTheMarkerIsStamped) {
    // The montage stamps its markers 7 pixels up and left of the pointer, so
    // every tool cursor has its hot spot at (7, 7) of a picture of the marker's size.
    struct Case {
        const char* name;
        MouseCursorPtr cursor;
        PicturePtr marker;
    };
    const Case cases[] = {
        {"cursArrowWhite", cursArrowWhite(), arrowWhiteBG()},
        {"cursArrowBlack", cursArrowBlack(), arrowBlack()},
        {"1128", ResourceFile::GetCursor(1128), yelCurs()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.cursor);
        ASSERT_TRUE(c.marker);
        EXPECT_EQ(c.cursor->HotSpot, QPoint(7, 7));
        EXPECT_EQ(c.cursor->Cursor.hotSpot(), QPoint(7, 7));
        EXPECT_EQ(c.cursor->Image.size(), QSize(c.marker->Width(), c.marker->Height()));
    }
}

TEST_F(ResourcesTest, CursorByNumberIsReadAnewEachTime) {
    MouseCursorPtr a = ResourceFile::GetCursor(1128);
    MouseCursorPtr b = ResourceFile::GetCursor(1128);
    ASSERT_TRUE(a && b);
    EXPECT_NE(a, b);
    EXPECT_EQ(ResourceFile::Reads(QStringLiteral("cursor"), 1128), 2);
    EXPECT_FALSE(ResourceFile::GetCursor(1129));
}

TEST_F(ResourcesTest, MissingAssetIsLookedForAgainUntilFound) {
    struct Case {
        const char* kind;
        int id;
        std::function<bool()> loaded;
    };
    const Case cases[] = {
        {"picture", 168, [] { return QVlogga128() != nullptr; }},
        {"picture", 170, [] { return yelCurs() != nullptr; }},
        {"movie", 169, [] { return small2() != nullptr; }},
        {"cursor", 171, [] { return cursArrowBlack() != nullptr; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + std::to_string(c.id));
        Reset();
        const QString kind = QString::fromLatin1(c.kind);
        PointAtNothing();
        EXPECT_FALSE(c.loaded());
        EXPECT_FALSE(c.loaded());
        EXPECT_EQ(ResourceFile::Reads(kind, c.id), 2);
        ResourceFile::SetRoot(QString());
        EXPECT_TRUE(c.loaded());
        EXPECT_TRUE(c.loaded());
        EXPECT_EQ(ResourceFile::Reads(kind, c.id), 3);
    }
}

TEST_F(ResourcesTest, MissingDemoStaysEmptyForTheRun) {
    PointAtNothing();
    EXPECT_TRUE(demo().isEmpty());
    ResourceFile::SetRoot(QString());
    EXPECT_TRUE(demo().isEmpty());
    EXPECT_EQ(ResourceFile::Reads(QStringLiteral("TEXT"), 168), 1);
    // Only the finaliser's release lets it be read again.
    ReleaseResources();
    EXPECT_FALSE(demo().isEmpty());
    EXPECT_EQ(ResourceFile::Reads(QStringLiteral("TEXT"), 168), 2);
}

TEST_F(ResourcesTest, DemoIsATwoColourConfocalPicture) {
    const QByteArray bytes = demo();
    EXPECT_EQ(demo().constData(), bytes.constData());  // the same stored bytes
    EXPECT_EQ(ResourceFile::Reads(QStringLiteral("TEXT"), 168), 1);
    PicturePtr p = PictureFromImage(QImage::fromData(bytes));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Width(), 640);
    EXPECT_EQ(p->Height(), 640);
    int redOnly = 0, greenOnly = 0, both = 0, dark = 0, saturated = 0, white = 0;
    for (int y = 0; y < p->Height(); ++y) {
        for (int x = 0; x < p->Width(); ++x) {
            const Color c = p->RGBSurface()->Pixel(x, y);
            const int r = Red(c), g = Green(c);
            if (r > 80 && g < 40) ++redOnly;
            if (g > 80 && r < 40) ++greenOnly;
            if (r > 80 && g > 80) ++both;
            if (r < 20 && g < 20) ++dark;
            if (r == 255 || g == 255) ++saturated;
            if (c == kWhite) ++white;
        }
    }
    const int n = p->Width() * p->Height();
    // Red and green structures, overlapping in part, on a dark background.
    EXPECT_GT(redOnly, n / 1000);
    EXPECT_GT(greenOnly, n / 1000);
    EXPECT_GT(both, n / 1000);
    EXPECT_GT(dark, n / 5);
    // A few saturated pixels, not a burnt-out picture; no pure white.
    EXPECT_GT(saturated, 0);
    EXPECT_LT(saturated, n / 200);
    EXPECT_EQ(white, 0);
}

TEST_F(ResourcesTest, MarkersLetTheTargetShowWhereTheyAreWhite) {
    struct Case {
        const char* name;
        PicturePtr marker;
    };
    const Case cases[] = {{"yelCurs", yelCurs()}, {"arrowBlack", arrowBlack()}};
    const Color red = RGB(255, 0, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.marker);
        PicturePtr target = NewPicture(c.marker->Width(), c.marker->Height());
        target->Graphics().ForeColor = red;
        target->Graphics().FillRect(0, 0, target->Width(), target->Height());
        target->Graphics().DrawPicture(c.marker, 0, 0);
        int whites = 0, marks = 0;
        for (int y = 0; y < target->Height(); ++y) {
            for (int x = 0; x < target->Width(); ++x) {
                const Color m = c.marker->RGBSurface()->Pixel(x, y);
                const Color t = target->RGBSurface()->Pixel(x, y);
                if (m == kWhite) {
                    ++whites;
                    EXPECT_EQ(t, red) << x << "," << y;
                } else {
                    ++marks;
                    EXPECT_EQ(t, m) << x << "," << y;
                }
            }
        }
        EXPECT_GT(whites, 0);
        EXPECT_GT(marks, 0);
    }
}

TEST_F(ResourcesTest, AssetsAreFoundByKindAndIdUnderTheRoot) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("picture")));
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("cursor")));
    QImage logo(3, 2, QImage::Format_RGB32);
    logo.fill(qRgb(10, 20, 30));
    ASSERT_TRUE(logo.save(root.filePath(QStringLiteral("picture/168")), "PNG"));
    QImage cursor(4, 4, QImage::Format_ARGB32);
    cursor.fill(qRgba(0, 0, 0, 255));
    ASSERT_TRUE(cursor.save(root.filePath(QStringLiteral("cursor/169")), "PNG"));
    ASSERT_TRUE(cursor.save(root.filePath(QStringLiteral("cursor/171")), "PNG"));
    QFile spots(root.filePath(QStringLiteral("cursor/hotspots.json")));
    ASSERT_TRUE(spots.open(QIODevice::WriteOnly));
    spots.write(R"({"169": [2, 1], "171": [9, -3]})");
    spots.close();

    ResourceFile::SetRoot(root.path());
    ASSERT_TRUE(QVlogga128());
    EXPECT_EQ(QVlogga128()->Width(), 3);
    EXPECT_EQ(QVlogga128()->RGBSurface()->Pixel(2, 1), RGB(10, 20, 30));
    EXPECT_FALSE(yelCurs());
    ASSERT_TRUE(cursArrowWhite());
    EXPECT_EQ(cursArrowWhite()->HotSpot, QPoint(2, 1));
    // A hot spot beyond the picture is kept inside it.
    ASSERT_TRUE(cursArrowBlack());
    EXPECT_EQ(cursArrowBlack()->HotSpot, QPoint(3, 0));
    EXPECT_TRUE(demo().isEmpty());
}

TEST_F(ResourcesTest, FinaliserReleasesTheCachedAssets) {
    {
        test::ScopedFakeServices fake;
        Session session;
        session.Start();
        ASSERT_TRUE(QVlogga128());
        ASSERT_TRUE(small2());
        ASSERT_FALSE(demo().isEmpty());
    }
    test::DrainEvents();
    ASSERT_TRUE(QVlogga128());
    ASSERT_TRUE(small2());
    ASSERT_FALSE(demo().isEmpty());
    EXPECT_EQ(ResourceFile::Reads(QStringLiteral("picture"), 168), 2);
    EXPECT_EQ(ResourceFile::Reads(QStringLiteral("movie"), 169), 2);
    EXPECT_EQ(ResourceFile::Reads(QStringLiteral("TEXT"), 168), 2);
}

}  // namespace
}  // namespace qv
