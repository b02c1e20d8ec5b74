#include <gtest/gtest.h>

#include <QString>

#include "workspace/working_size.h"

namespace qv {
namespace {

TEST(WorkingSizeTest, WorkedSizes) {
    struct Case {
        int width, screen;
        Intake intake;
        int imgsize, can2size, windowWidth, windowHeight;
    };
    const Case cases[] = {
        {100, 1024, Intake::FileOpen, 256, 256, 650, 974},
        {100, 1024, Intake::AfterDrop, 100, 100, 650, 974},
        {500, 1200, Intake::Import, 500, 500, 866, 1150},
        {700, 1000, Intake::AfterDrop, 700, 225, 1066, 950},
        {1600, 1200, Intake::FileOpen, 1024, 101, 1390, 1150},
        {2000, 900, Intake::Import, 815, 10, 1181, 850},
        {800, 600, Intake::AfterDrop, 565, 10, 931, 600},
        {640, 768, Intake::OpenDemo, 640, 48, 1006, 718},
    };
    for (const Case& c : cases) {
        const WorkingSize s = WorkingSizeFor(c.width, c.screen, c.intake);
        EXPECT_EQ(s.imgsize, c.imgsize) << c.width << " on " << c.screen;
        EXPECT_EQ(s.can2size, c.can2size) << c.width << " on " << c.screen;
        EXPECT_EQ(WorkspaceWidthFor(s.imgsize), c.windowWidth) << c.width << " on " << c.screen;
        EXPECT_EQ(s.height, c.windowHeight) << c.width << " on " << c.screen;
    }
}

TEST(WorkingSizeTest, ComparisonsAreStrictAndOnlyTheWidthCounts) {
    // H = 974: 939 + 35 == H keeps 939
    EXPECT_EQ(WorkingSizeFor(939, 1024, Intake::Import).imgsize, 939);
    EXPECT_EQ(WorkingSizeFor(940, 1024, Intake::Import).imgsize, 939);
    // 2 * 474 + 25 == 973 < 974 keeps the thumbnail whole; 475 shrinks it
    EXPECT_EQ(WorkingSizeFor(474, 1024, Intake::Import).can2size, 474);
    EXPECT_EQ(WorkingSizeFor(475, 1024, Intake::Import).can2size, 474);
}

// Screens less their panels, and the frame and menu bar the desktop shows
// around the window: the window, frame included, fits the area, and takes all
// of the rule's size that fits.
TEST(WorkingSizeTest, TheWindowWithItsFrameFitsTheAreaOfEachScreen) {
    const QMargins framed(1, 20 + 20, 1, 5);  // a 20-pixel title bar over a 20-pixel menu bar
    struct Case {
        QSize area;
        QMargins chrome;
        int width;
        Intake intake;
        int imgsize, can2size, height;
    };
    const Case cases[] = {
        {{1600, 1200}, framed, 1024, Intake::Import, 1024, 101, 1150},  // room to spare
        {{1280, 800}, framed, 300, Intake::AfterDrop, 300, 300, 750},
        {{1024, 708}, framed, 1024, Intake::Import, 623, 10, 658},  // a 60-pixel panel at 768
        {{1024, 708}, framed, 512, Intake::Import, 512, 121, 658},
        {{1024, 768}, framed, 656, Intake::Import, 656, 37, 718},  // as wide as the area allows
        {{1024, 768}, framed, 657, Intake::Import, 656, 37, 718},
        {{1024, 768}, framed, 1024, Intake::FileOpen, 656, 37, 718},
        {{1024, 768}, QMargins(), 1024, Intake::Import, 658, 35, 718},
        {{1366, 736}, framed, 800, Intake::AfterDrop, 651, 10, 686},  // a panel at the bottom
        {{1366, 736}, framed, 800, Intake::OpenDemo, 656, 1, 686},
        {{800, 600}, QMargins(4, 50, 4, 8), 1024, Intake::Import, 426, 91, 542},  // below 600
    };
    for (const Case& c : cases) {
        const WorkingSize s = WorkingSizeFor(c.width, c.area, c.chrome, c.intake);
        const QString on = QStringLiteral("%1 on %2x%3").arg(c.width).arg(c.area.width()).arg(
            c.area.height());
        EXPECT_EQ(s.imgsize, c.imgsize) << on.toStdString();
        EXPECT_EQ(s.can2size, c.can2size) << on.toStdString();
        EXPECT_EQ(s.height, c.height) << on.toStdString();
        EXPECT_LE(WorkspaceWidthFor(s.imgsize) + c.chrome.left() + c.chrome.right(),
                  c.area.width())
            << on.toStdString();
        EXPECT_LE(s.height + c.chrome.top() + c.chrome.bottom(), c.area.height())
            << on.toStdString();
    }
}

TEST(WorkingSizeTest, ThumbnailNeverFallsBelowOnePixel) {
    // the demo image on a short screen: H - 30 - imgsize would be 0
    const WorkingSize s = WorkingSizeFor(1000, 600, Intake::OpenDemo);
    EXPECT_EQ(s.imgsize, 570);
    EXPECT_EQ(s.can2size, 1);
}

}  // namespace
}  // namespace qv
