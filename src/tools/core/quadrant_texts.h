#pragma once

// What the quadrant calculator shows, and its statistics table.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace qv {

// The sample ID a tool window proposes for the workspace's title: "QV: " + title.
QString SampleIdOf(const QString& title);

// A share as the calculator shows it: Str(part / whole * 100) cut to its first
// three characters, read back and written again, then "%" (33.33333 -> "33%",
// 5.555556 -> "5.5%", 0.08 -> "0%", 100 -> "100%"). A whole of 0 gives the
// fixed no-value text of the coefficient rows, without "%".
QString PercentText(std::int64_t part, std::int64_t whole);

// The calculator's ten value texts for the quadrant counts upper-left,
// upper-right, lower-left, lower-right.
struct QuadrantTexts {
    QString UL, UR, LL, LR;       // the counts
    QString ULP, URP, LLP, LRP;   // each count's share of the total
    QString upperRowShare;        // upper-right of upper-left + upper-right
    QString rightColumnShare;     // upper-right of upper-right + lower-right
    bool operator==(const QuadrantTexts&) const = default;
};

QuadrantTexts QuadrantCalculatorTexts(const std::array<std::int32_t, 4>& counts);

// The six lines of the statistics table, laid out as the window is: the
// sample line, the right-column share over the upper-right count, the upper
// row with its share, then the percentages and the lower row.
QStringList QuadrantTableLines(const QString& sampleLabel, const QString& sampleId,
                               const QuadrantTexts& shown);

// The name proposed for the table: the title as it stands + " QV Quad Stats.xls".
QString QuadrantTableName(const QString& title);

}  // namespace qv
