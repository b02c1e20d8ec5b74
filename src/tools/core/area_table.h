#pragma once

// The area analyzer's arithmetic and the texts of its area tables: Include's
// running totals, counts and means, the table's lines and the default names.

#include <QString>
#include <QStringList>
#include <cstdint>

namespace qv {

// The rows of the analyzer's "Save" pop-up, separated by ",".
inline const QString kAreaSaveRows =
    QStringLiteral("As Excel file,Start collecting multiple data,Clear all");

// A running total after including an area: total + Val(area), summed as reals
// and truncated back into 32 bits (saturating at the Int32 range).
std::int32_t IncludedTotal(std::int32_t total, const QString& area);

// A count field's text after Include: Str(Val(count) + 1).
QString IncludedCount(const QString& count);

// A mean field's text: Str(total / Val(count)) as a real quotient, or the fixed
// text of a zero denominator when the count reads 0 (typed by the user).
QString MeanText(std::int32_t total, const QString& count);

// Cells joined by TAB, with no TAB after the last one.
QString TableLine(const QStringList& cells);

// The two header lines of every area table: the sample-ID label's text and
// the sample ID; then "Area #", the three row labels and the intensity headings.
QStringList AreaTableHeader(const QString& label, const QString& sampleId, const QString& red,
                            const QString& green, const QString& blue);

// The single table's default name: title + " Area " + ID + ".xls".
QString AreaTableName(const QString& title, const QString& sampleId);

// A series' default name: the title up to its first "." + " Area " + ID + ".xls".
QString AreaSeriesName(const QString& title, const QString& sampleId);

// Said after the message of a series row that could not be written.
QString SeriesEndedAfterword();

}  // namespace qv
