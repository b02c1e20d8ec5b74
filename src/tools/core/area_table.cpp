#include "tools/core/area_table.h"

#include "platform/core/text.h"
#include "workspace/core/coefficients.h"

namespace qv {

std::int32_t IncludedTotal(std::int32_t total, const QString& area) {
    return ToInt32(static_cast<double>(total) + Val(area));
}

QString IncludedCount(const QString& count) {
    return Str(Val(count) + 1.0);
}

QString MeanText(std::int32_t total, const QString& count) {
    const double n = Val(count);
    if (n == 0) return kNoCoefficientText;
    return Str(static_cast<double>(total) / n);
}

QString TableLine(const QStringList& cells) {
    return cells.join(QLatin1Char('\t'));
}

QStringList AreaTableHeader(const QString& label, const QString& sampleId, const QString& red,
                            const QString& green, const QString& blue) {
    return {TableLine({label, sampleId}),
            TableLine({QStringLiteral("Area #"), red, green, blue, QStringLiteral("Red intensity"),
                       QStringLiteral("Green intensity"), QStringLiteral("Blue intensity")})};
}

QString AreaTableName(const QString& title, const QString& sampleId) {
    return title + QStringLiteral(" Area ") + sampleId + QStringLiteral(".xls");
}

QString AreaSeriesName(const QString& title, const QString& sampleId) {
    return NthField(title, QStringLiteral("."), 1) + QStringLiteral(" Area ") + sampleId +
           QStringLiteral(".xls");
}

QString SeriesEndedAfterword() {
    return QStringLiteral(
        "The series has ended: this Include is not counted, and the rows written before it stay "
        "in the file.");
}

}  // namespace qv
