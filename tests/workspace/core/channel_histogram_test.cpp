#include "workspace/core/channel_histogram.h"

#include <gtest/gtest.h>

#include "core_fixtures.h"
#include "workspace/core/coefficients.h"
#include "workspace/core/intensity_table.h"

namespace qv {
namespace {

using testing::Filled;
using testing::Set;

// The histogram's worked crop: one row of green values with a white and a
// black pixel among them.
PicturePtr GreenRow() {
    const Color row[] = {RGB(7, 0, 7),    RGB(0, 40, 0), RGB(2, 40, 9),
                         RGB(40, 40, 40), RGB(1, 41, 1), RGB(0, 120, 0),
                         RGB(3, 250, 3),  kWhite,        kBlack};
    PicturePtr p = Filled(9, 1, kWhite);
    for (int x = 0; x < 9; ++x) Set(p, x, 0, row[x]);
    return p;
}

TEST(ChannelHistogram, CountsDataPixelsByTheChannelsValue) {
    const HistogramBins bins = CountChannel(GreenRow(), Channel::Green, {0, 0, 8, 0});
    HistogramBins expected{};
    expected[0] = 1, expected[40] = 3, expected[41] = 1, expected[120] = 1, expected[250] = 1;
    EXPECT_EQ(bins, expected) << "black and white skipped, a green of 0 counted in bin 0";
    EXPECT_EQ(HistogramMaximum(bins), 3);

    const HistogramBins red = CountChannel(GreenRow(), Channel::Red, {0, 0, 8, 0});
    EXPECT_EQ(red[0], 2);
    EXPECT_EQ(red[255], 0) << "the white pixel is not red 255";
    EXPECT_EQ(CountChannel(nullptr, Channel::Red, {0, 0, 8, 0}), HistogramBins{});
    EXPECT_EQ(HistogramMaximum(HistogramBins{}), 0);
}

TEST(ChannelHistogram, BarTops) {
    struct Case {
        std::int32_t bin, maximum;
        bool scaled;
        int top;
    } cases[] = {
        {3, 3, false, 253},         {1, 3, false, 255}, {0, 3, false, 256},
        {300, 300, false, 0},       {3, 3, true, 6},    {1, 3, true, 172},  // 172.67 truncated
        {0, 3, true, 256},          {0, 0, true, 256},  {1000000, 1000000, true, 6},
        {999999, 1000000, true, 6},  // 6.00025
    };
    for (const Case& c : cases)
        EXPECT_EQ(BarTop(c.bin, c.maximum, c.scaled), c.top)
            << c.bin << " of " << c.maximum << (c.scaled ? " scaled" : "");
    EXPECT_EQ(BarColor(Channel::Red), RGB(255, 0, 0));
    EXPECT_EQ(BarColor(Channel::Green), RGB(0, 255, 0));
    EXPECT_EQ(BarColor(Channel::Blue), RGB(0, 0, 255));
}

TEST(ChannelHistogram, SplitTextsAtTheCursor) {
    const HistogramBins bins = CountChannel(GreenRow(), Channel::Green, {0, 0, 8, 0});
    const QString none = kNoCoefficientText;
    struct Case {
        int cursor;
        bool countZero;
        const char* n;
        QString leftMean;
        const char* right;
        QString rightMean;
        int rightX;
    } cases[] = {
        {100, false, "n=4", "mean=40.25", "2", "185", 102},
        {100, true, "n=5", "mean=32.2", "2", "185", 102},
        {250, false, "n=6", "mean=88.5", "0", none, 180},
        {0, false, "n=0", "mean=" + none, "6", "88.5", 2},
        {0, true, "n=1", "mean=0", "6", "88.5", 2},
        {120, true, "n=6", "mean=46.83", "1", "250", 122},
        {178, false, "n=5", "mean=56.2", "1", "250", 180},
        {300, false, "n=6", "mean=88.5", "0", none, 180},  // a cursor past 255 counts as 255
    };
    for (const Case& c : cases) {
        const auto t = SplitTexts(SplitHistogram(bins, c.cursor, c.countZero), c.cursor);
        const std::array<PlacedText, 4> expected = {{
            {QString::fromUtf8(c.n), 2, 11},
            {c.leftMean, 2, 31},
            {QString::fromUtf8(c.right), c.rightX, 21},
            {c.rightMean, c.rightX, 41},
        }};
        EXPECT_EQ(t, expected) << "cursor " << c.cursor << (c.countZero ? " with bin 0" : "");
    }
    // Means are cut to 5 characters, not rounded: 5 / 3 = 1.666667.
    HistogramBins thirds{};
    thirds[1] = 1, thirds[2] = 2;
    EXPECT_EQ(SplitTexts(SplitHistogram(thirds, 2, false), 2)[1].text,
              QStringLiteral("mean=1.666"));
    EXPECT_EQ(SplitMeanText(5, 3), QStringLiteral("1.666"));
    EXPECT_EQ(SplitMeanText(0, 0), kNoCoefficientText);
}

TEST(IntensityTable, LinesAndDefaultName) {
    PicturePtr crop = Filled(5, 1, kWhite);
    Set(crop, 0, 0, RGB(0, 0, 2));
    Set(crop, 1, 0, RGB(255, 2, 0));
    Set(crop, 2, 0, RGB(2, 2, 2));
    Set(crop, 3, 0, kBlack);
    const QStringList lines =
        IntensityTableLines(QStringLiteral("mine.xls"), CountIntensities(crop, {0, 0, 4, 0}));
    ASSERT_EQ(lines.size(), 258);
    EXPECT_EQ(lines[0], QStringLiteral("mine.xls"));
    EXPECT_EQ(lines[1], QStringLiteral("Intensity\tRed\tGreen\tBlue"));
    EXPECT_EQ(lines[2], QStringLiteral("0\t1\t1\t1"));
    EXPECT_EQ(lines[3], QStringLiteral("1\t0\t0\t0"));
    EXPECT_EQ(lines[4], QStringLiteral("2\t1\t2\t2"));
    EXPECT_EQ(lines[257], QStringLiteral("255\t1\t0\t0"));
    for (const QString& line : lines)
        EXPECT_FALSE(line.endsWith(QLatin1Char(9))) << line.toStdString();

    EXPECT_EQ(IntensityTableName(QStringLiteral("run.2.tif")),
              QStringLiteral("run ROI intensities.xls"));
    EXPECT_EQ(IntensityTableName(QStringLiteral("sample")),
              QStringLiteral("sample ROI intensities.xls"));
    EXPECT_EQ(IntensityTableName(QString()), QStringLiteral(" ROI intensities.xls"));
}

}  // namespace
}  // namespace qv
