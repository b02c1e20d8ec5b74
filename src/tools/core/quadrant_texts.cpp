#include "tools/core/quadrant_texts.h"

#include "platform/core/text.h"
#include "workspace/core/coefficients.h"

namespace qv {

QString SampleIdOf(const QString& title) { return QStringLiteral("QV: ") + title; }

QString PercentText(std::int64_t part, std::int64_t whole) {
    if (whole == 0) return kNoCoefficientText;
    // Division first, then the scaling, both in doubles.
    const double v = static_cast<double>(part) / static_cast<double>(whole) * 100.0;
    return Str(Val(Left(Str(v), 3))) + QLatin1Char('%');
}

QuadrantTexts QuadrantCalculatorTexts(const std::array<std::int32_t, 4>& c) {
    const std::int64_t c0 = c[0], c1 = c[1], c2 = c[2], c3 = c[3];
    const std::int64_t total = c0 + c1 + c2 + c3;
    QuadrantTexts t;
    t.UL = Str(c0);
    t.UR = Str(c1);
    t.LL = Str(c2);
    t.LR = Str(c3);
    t.ULP = PercentText(c0, total);
    t.URP = PercentText(c1, total);
    t.LLP = PercentText(c2, total);
    t.LRP = PercentText(c3, total);
    t.upperRowShare = PercentText(c1, c0 + c1);
    t.rightColumnShare = PercentText(c1, c1 + c3);
    return t;
}

QStringList QuadrantTableLines(const QString& sampleLabel, const QString& sampleId,
                               const QuadrantTexts& s) {
    const QChar tab(9);
    return {
        sampleLabel + tab + sampleId,
        tab + s.rightColumnShare,
        s.UL + tab + s.UR + tab + s.upperRowShare,
        s.ULP + tab + s.URP,
        s.LL + tab + s.LR + tab,
        s.LLP + tab + s.LRP,
    };
}

QString QuadrantTableName(const QString& title) {
    return title + QStringLiteral(" QV Quad Stats.xls");
}

}  // namespace qv
