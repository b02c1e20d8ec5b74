#include "tools/core/quadrant_texts.h"

#include <gtest/gtest.h>

#include "workspace/core/coefficients.h"

namespace qv {
namespace {

TEST(QuadrantTextsTest, PercentIsCutToThreeCharactersOfItsText) {
    struct Case {
        std::int64_t part, whole;
        const char* text;
    };
    const Case cases[] = {
        {1, 3, "33%"},         {2, 3, "66%"},           // 33.33333, 66.66667
        {1, 18, "5.5%"},       {17, 18, "94%"},         // 5.555556, 94.44444
        {1, 8, "12%"},         {999, 10000, "9.9%"},    // 12.5, 9.99
        {5, 5, "100%"},        {1, 200, "0.5%"},        // 100, 0.5
        {8, 10000, "0%"},      {0, 7, "0%"},            // 0.08, 0
        {29, 100, "29%"},      // 28.999999999999996 with all 17 digits
        {1, 1044484, "0%"},    // 9.574e-05: an exponent would read 9.5
        {1000, 1750, "57%"},   // 57.14286
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.part << " of " << c.whole);
        EXPECT_EQ(PercentText(c.part, c.whole), QString::fromLatin1(c.text));
    }
}

TEST(QuadrantTextsTest, ZeroWholeShowsTheFixedNoValueText) {
    EXPECT_EQ(PercentText(0, 0), kNoCoefficientText);
    EXPECT_FALSE(PercentText(0, 0).contains(QLatin1Char('%')));
}

TEST(QuadrantTextsTest, CalculatorTextsOfTheCounts) {
    const QString none = kNoCoefficientText;
    struct Case {
        std::array<std::int32_t, 4> counts;
        // ULP, URP, LLP, LRP, upper-row share, right-column share
        std::array<QString, 6> shares;
    };
    const Case cases[] = {
        {{1, 1, 1, 0}, {"33%", "33%", "33%", "0%", "50%", "100%"}},
        {{0, 1, 0, 17}, {"0%", "5.5%", "0%", "94%", "100%", "5.5%"}},
        {{250, 1000, 3000, 750}, {"5%", "20%", "60%", "15%", "80%", "57%"}},
        {{29, 71, 0, 0}, {"29%", "71%", "0%", "0%", "71%", "100%"}},
        {{1044483, 1, 0, 0}, {"99%", "0%", "0%", "0%", "0%", "100%"}},
        {{5, 0, 7, 0}, {"41%", "0%", "58%", "0%", "0%", none}},
        {{0, 0, 0, 0}, {none, none, none, none, none, none}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.counts[0] << "," << c.counts[1] << ","
                                        << c.counts[2] << "," << c.counts[3]);
        const QuadrantTexts t = QuadrantCalculatorTexts(c.counts);
        EXPECT_EQ(t.UL, QString::number(c.counts[0]));
        EXPECT_EQ(t.UR, QString::number(c.counts[1]));
        EXPECT_EQ(t.LL, QString::number(c.counts[2]));
        EXPECT_EQ(t.LR, QString::number(c.counts[3]));
        EXPECT_EQ((std::array<QString, 6>{t.ULP, t.URP, t.LLP, t.LRP, t.upperRowShare,
                                          t.rightColumnShare}),
                  c.shares);
    }
}

TEST(QuadrantTextsTest, TableMirrorsTheWindowsGrid) {
    const QuadrantTexts t = QuadrantCalculatorTexts({250, 1000, 3000, 750});
    EXPECT_EQ(QuadrantTableLines(QStringLiteral("Sample ID:"), SampleIdOf("cells.tif"), t),
              (QStringList{"Sample ID:\tQV: cells.tif", "\t57%", "250\t1000\t80%", "5%\t20%",
                           "3000\t750\t", "60%\t15%"}));
    EXPECT_EQ(QuadrantTableName(QStringLiteral("cells.tif")),
              QStringLiteral("cells.tif QV Quad Stats.xls"));
    EXPECT_EQ(QuadrantTableName(QString()), QStringLiteral(" QV Quad Stats.xls"));
}

}  // namespace
}  // namespace qv
