#include <gtest/gtest.h>

#include "montage/core/montage_layout.h"

namespace qv {
namespace {

// Frames of 1, 20, 1, 5 and a menu bar of 22 over each content.
const QMargins kFramed(1, 42, 1, 5);
const QRect kBig(0, 0, 1600, 1200);
const QRect kPanelled(0, 60, 1024, 708);  // 1024 x 768 under a 60-pixel top panel

struct DockCase {
    const char* what;
    QRect area;
    QMargins outside;  // around the setup's content and the montage's alike
    QRect setup;       // the setup's content
    QSize sheet;
    QRect montage;  // expected
    int setupTop;   // expected
};

// clang-format off
const DockCase kDocks[] = {
    {"fits: 21 pixels under the content, no frames", kBig, {}, {100, 100, 316, 202}, {640, 80},
     {100, 323, 640, 80}, 100},
    {"fits: the frames need more than 21", kBig, kFramed, {100, 100, 316, 202}, {640, 80},
     {100, 349, 640, 80}, 100},
    {"700 x 800 ROI in a row at 1600 x 1200: as wide as the screen, moved left", kBig, kFramed,
     {100, 100, 316, 202}, {2140, 820}, {1, 349, 1598, 820}, 100},
    {"700 x 800 ROI in the grid: shorter, never higher", kBig, kFramed, {100, 100, 316, 202},
     {1430, 1630}, {100, 349, 1430, 846}, 100},
    {"200 x 600 ROI at 1024 x 768 under the panel", kPanelled, kFramed, {1, 102, 316, 202},
     {640, 620}, {1, 351, 640, 412}, 102},
    {"700 x 800 ROI at 1024 x 768: both ways shrunk", kPanelled, kFramed, {300, 200, 316, 202},
     {2140, 820}, {1, 449, 1022, 314}, 200},
    {"no room for the least height: the setup goes up", kPanelled, kFramed, {1, 560, 316, 202},
     {640, 620}, {1, 699, 640, 64}, 450},
    {"the setup goes no higher than the area", QRect(0, 0, 800, 330), kFramed,
     {1, 42, 316, 202}, {640, 620}, {1, 291, 640, 64}, 42},
    {"a setup past the left edge: the montage steps back in", kPanelled, kFramed,
     {-50, 102, 316, 202}, {300, 100}, {1, 351, 300, 100}, 102},
    {"a tiny sheet keeps the least size", kBig, {}, {100, 100, 316, 202}, {10, 10},
     {100, 323, 64, 64}, 100},
    {"no screen known: the whole sheet", QRect(), kFramed, {100, 100, 316, 202}, {2140, 820},
     {100, 349, 2140, 820}, 100},
};
// clang-format on

TEST(MontageDock, DockedUnderTheSetupAndNoLargerThanTheRoomLeft) {
    for (const DockCase& c : kDocks) {
        SCOPED_TRACE(c.what);
        const MontageDock d = DockMontage(c.setup, c.outside, c.outside, c.sheet, 64, c.area);
        EXPECT_EQ(d.montage, c.montage);
        EXPECT_EQ(d.setupTop, c.setupTop);
        if (c.area.isEmpty()) continue;
        // Nothing leaves the area, and the setup's frame ends above the montage's.
        const QRect setup = c.setup.translated(0, d.setupTop - c.setup.top());
        const QRect setupFrame = setup.marginsAdded(c.outside);
        const QRect montageFrame = d.montage.marginsAdded(c.outside);
        EXPECT_LT(setupFrame.bottom(), montageFrame.top());
        EXPECT_GE(d.montage.top() - setup.bottom() - 1, kMontageGap);
        if (d.montage.height() > 64) {
            EXPECT_TRUE(c.area.contains(montageFrame));
        }
        EXPECT_GE(setupFrame.top(), c.area.top());
    }
}

}  // namespace
}  // namespace qv
