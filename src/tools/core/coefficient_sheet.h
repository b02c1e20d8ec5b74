#pragma once

// The coefficient window's sheet: its eight lines, its name rules and the
// clipboard label of its picture.

#include <QString>
#include <QStringList>
#include <array>

namespace qv {

// One coefficient row as the window shows it: X co-localizes with Y.
struct CoefficientSheetRow {
    QString first;   // X label
    QString second;  // Y label
    QString value;   // the fraction field
    QString count;   // the pixel count
};

// The window's texts that go into the sheet.
struct CoefficientSheet {
    QString sampleLabel;  // "Sample ID:"
    QString sampleId;     // the sample ID field
    QString header;       // "co-localizes with"
    QString countHeader;  // "n"
    std::array<CoefficientSheetRow, 6> rows;
};

// The sheet block: the label and sample ID in one cell followed by a cell
// holding one space; the header line with the sample ID over the fractions and
// "n" over the counts; then each row as its four cells.
QStringList CoefficientSheetLines(const CoefficientSheet& sheet);

// The name proposed for a new sheet: the title up to its first "." (all of it
// without one), "_", the channel pair, "_Coefficients.xls".
QString CoefficientSheetName(const QString& title, const QString& colormode);

// The name with ".xls" appended unless it already ends in ".xls" (any case).
QString WithSheetExtension(const QString& name);

// The clipboard label of the coefficient picture: pair + "_coeffs: " + title.
QString CoefficientClipboardLabel(const QString& colormode, const QString& title);

}  // namespace qv
