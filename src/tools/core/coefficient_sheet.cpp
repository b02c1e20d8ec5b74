#include "tools/core/coefficient_sheet.h"

namespace qv {

QStringList CoefficientSheetLines(const CoefficientSheet& s) {
    const QChar tab(9);
    QStringList lines;
    lines << s.sampleLabel + s.sampleId + tab + QLatin1Char(' ');
    lines << tab + s.header + tab + s.sampleId + tab + s.countHeader;
    for (const CoefficientSheetRow& r : s.rows)
        lines << r.first + tab + r.second + tab + r.value + tab + r.count;
    return lines;
}

QString CoefficientSheetName(const QString& title, const QString& colormode) {
    const qsizetype dot = title.indexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? title : title.left(dot);
    return stem + QLatin1Char('_') + colormode + QStringLiteral("_Coefficients.xls");
}

QString WithSheetExtension(const QString& name) {
    if (name.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive)) return name;
    return name + QStringLiteral(".xls");
}

QString CoefficientClipboardLabel(const QString& colormode, const QString& title) {
    return colormode + QStringLiteral("_coeffs: ") + title;
}

}  // namespace qv
