#include "tools/core/area_table.h"

#include <gtest/gtest.h>

#include <limits>

#include "workspace/core/coefficients.h"

namespace qv {
namespace {

// Include's arithmetic for one channel, as the analyzer runs it.
struct Channel {
    std::int32_t total = 0;
    QString count = QStringLiteral("0");
    QString mean;
    void Include(const QString& area) {
        total = IncludedTotal(total, area);
        count = IncludedCount(count);
        mean = MeanText(total, count);
    }
};

TEST(AreaTableTest, IncludeKeepsRunningTotalsCountsAndRealMeans) {
    Channel red;
    red.Include(QStringLiteral("100"));
    EXPECT_EQ(red.count, QStringLiteral("1"));
    EXPECT_EQ(red.mean, QStringLiteral("100"));
    red.Include(QStringLiteral("151"));
    EXPECT_EQ(red.total, 251);
    EXPECT_EQ(red.count, QStringLiteral("2"));
    EXPECT_EQ(red.mean, QStringLiteral("125.5"));
    red.Include(QStringLiteral("50"));
    EXPECT_EQ(red.count, QStringLiteral("3"));
    EXPECT_EQ(red.mean, QStringLiteral("100.3333"));

    // Before any ROI the area fields are empty: they read as 0.
    Channel empty;
    empty.Include(QString());
    EXPECT_EQ(empty.total, 0);
    EXPECT_EQ(empty.count, QStringLiteral("1"));
    EXPECT_EQ(empty.mean, QStringLiteral("0"));
}

TEST(AreaTableTest, TypedTextsAreReadByTheirLeadingNumber) {
    struct Case {
        std::int32_t total;
        const char* area;
        std::int32_t expected;
    } cases[] = {
        {10, "40px", 50},
        {10, "abc", 10},
        {0, "2.7", 2},  // a fractional area enters the total truncated
        {0, "-2.7", -2},
        {std::numeric_limits<std::int32_t>::max(), "1", std::numeric_limits<std::int32_t>::max()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IncludedTotal(c.total, QString::fromLatin1(c.area)), c.expected) << c.area;

    EXPECT_EQ(IncludedCount(QStringLiteral("10")), QStringLiteral("11"));
    EXPECT_EQ(MeanText(44, QStringLiteral("11")), QStringLiteral("4"));
    // A count typed as -1 reads 0 after its increment: no quotient to show.
    EXPECT_EQ(IncludedCount(QStringLiteral("-1")), QStringLiteral("0"));
    EXPECT_EQ(MeanText(40, QStringLiteral("0")), kNoCoefficientText);
    EXPECT_EQ(MeanText(0, QStringLiteral("0")), kNoCoefficientText);
}

TEST(AreaTableTest, TableLinesAndNames) {
    const QString headings =
        QStringLiteral("Area #\tRed\tGreen\tBlue\tRed intensity\tGreen intensity\tBlue intensity");
    EXPECT_EQ(AreaTableHeader("Sample ID:", "A1", "Red", "Green", "Blue"),
              (QStringList{"Sample ID:\tA1", headings}));
    EXPECT_EQ(AreaTableHeader("Sample ID:", "", "Red", "Green", "Blue"),
              (QStringList{"Sample ID:\t", headings}));
    EXPECT_EQ(TableLine({"0", "", "", "", "", "", ""}), QStringLiteral("0\t\t\t\t\t\t"));

    struct Case {
        const char *title, *id, *single, *series;
    } cases[] = {
        {"cells.tif", "A1", "cells.tif Area A1.xls", "cells Area A1.xls"},
        {"cells.tif", "", "cells.tif Area .xls", "cells Area .xls"},
        {"a.b.c", "7", "a.b.c Area 7.xls", "a Area 7.xls"},
        {"plain", "x", "plain Area x.xls", "plain Area x.xls"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AreaTableName(QString::fromUtf8(c.title), QString::fromUtf8(c.id)),
                  QString::fromUtf8(c.single));
        EXPECT_EQ(AreaSeriesName(QString::fromUtf8(c.title), QString::fromUtf8(c.id)),
                  QString::fromUtf8(c.series));
    }
    EXPECT_EQ(kAreaSaveRows.split(QLatin1Char(',')),
              (QStringList{"As Excel file", "Start collecting multiple data", "Clear all"}));
}

}  // namespace
}  // namespace qv
