#include <gtest/gtest.h>

#include <vector>

#include "platform/core/size_notices.h"

namespace qv {
namespace {

using Notice = SizeNotices::Notice;

// One step of a window's life: the program asks for a size (or shows the
// window at it), or the desktop reports one while the program's size is `own`.
struct Step {
    bool ask;
    QSize size;
    QSize own;      // for a report
    Notice notice;  // expected of a report
};

Step Ask(QSize size) { return {true, size, {}, Notice::Own}; }
Step Report(QSize size, QSize own, Notice notice) { return {false, size, own, notice}; }

struct Life {
    const char* what;
    std::vector<Step> steps;
};

const QSize kShown(705, 724), kWorking(1390, 1046);
const QSize kA(331, 263), kB(351, 273), kC(371, 283);

// clang-format off
const Life kLives[] = {
    {"the size shown at, reported after the program's size: late, then caught up",
     {Ask(kShown), Ask(kWorking), Report(kShown, kWorking, Notice::Late),
      Report(kWorking, kWorking, Notice::Own)}},
    {"a user's size is new, and the program's earlier sizes can come no more",
     {Ask(kShown), Ask(kWorking), Report(kB, kWorking, Notice::New),
      Report(kShown, kB, Notice::New), Report(kWorking, kB, Notice::New)}},
    {"a burst of sizes the user gives, every one new",
     {Ask(kA), Report(kB, kA, Notice::New), Report(kC, kB, Notice::New),
      Report(QSize(391, 293), kC, Notice::New)}},
    {"a burst right after the program sized the window: still every one new",
     {Ask(kShown), Ask(kA), Report(kA, kA, Notice::Own), Report(kB, kA, Notice::New),
      Report(kC, kB, Notice::New)}},
    {"sizes asked one after another come in order; once caught up, an old one is new",
     {Ask(kA), Ask(kB), Ask(kC), Report(kA, kC, Notice::Late), Report(kB, kC, Notice::Late),
      Report(kC, kC, Notice::Own), Report(kA, kC, Notice::New)}},
    {"a size reported once the desktop has passed it is new",
     {Ask(kA), Ask(kB), Report(kB, kB, Notice::Own), Report(kA, kB, Notice::New)}},
    {"the same size asked twice: the second request may still come",
     {Ask(kA), Ask(kB), Ask(kA), Report(kA, kA, Notice::Own), Report(kB, kA, Notice::Late),
      Report(kA, kA, Notice::Own)}},
    {"the user's own size, equal to the program's: nothing new to take",
     {Ask(kA), Report(kA, kA, Notice::Own), Report(kA, kA, Notice::Own)}},
};
// clang-format on

TEST(SizeNotices, LateNoticesAreToldFromNewSizesByTheSizesAskedFor) {
    for (const Life& life : kLives) {
        SCOPED_TRACE(life.what);
        SizeNotices notices;
        int step = 0;
        for (const Step& s : life.steps) {
            ++step;
            if (s.ask) {
                notices.Asked(s.size);
                continue;
            }
            EXPECT_EQ(notices.Reported(s.size, s.own), s.notice) << "step " << step;
        }
    }
}

TEST(SizeNotices, OnlyTheOldestOfVeryManyOutstandingRequestsGiveWay) {
    SizeNotices notices;
    for (int i = 0; i < 100; ++i) notices.Asked(QSize(100 + i, 100));
    EXPECT_EQ(notices.Reported(QSize(198, 100), QSize(199, 100)), Notice::Late);
    EXPECT_EQ(notices.Reported(QSize(150, 100), QSize(199, 100)), Notice::New)
        << "asked too long ago to be still on its way";
}

TEST(SizeNotices, TheProgramsSizeIsAskedForAgainOnlyAFewTimesEach) {
    SizeNotices notices;
    int asked = 0;
    while (asked < 100 && notices.AskAgain()) ++asked;
    EXPECT_EQ(asked, SizeNotices::kAsksAgain);
    EXPECT_FALSE(notices.AskAgain()) << "spent";
    notices.Set();  // the program sets a size
    EXPECT_TRUE(notices.AskAgain()) << "a new count for the new size";
}

}  // namespace
}  // namespace qv
