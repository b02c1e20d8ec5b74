#include <gtest/gtest.h>

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

TEST(WorkingSizeTest, ThumbnailNeverFallsBelowOnePixel) {
    // the demo image on a short screen: H - 30 - imgsize would be 0
    const WorkingSize s = WorkingSizeFor(1000, 600, Intake::OpenDemo);
    EXPECT_EQ(s.imgsize, 570);
    EXPECT_EQ(s.can2size, 1);
}

}  // namespace
}  // namespace qv
