#include "workspace/core/intensity_table.h"

#include "platform/core/text.h"

namespace qv {

IntensityHistograms CountIntensities(const PicturePtr& crop, const RoiBox& box) {
    return {CountChannel(crop, Channel::Red, box), CountChannel(crop, Channel::Green, box),
            CountChannel(crop, Channel::Blue, box)};
}

QStringList IntensityTableLines(const QString& fileName, const IntensityHistograms& h) {
    const QChar tab(9);
    QStringList lines;
    lines.reserve(258);
    lines << fileName;
    lines << QStringLiteral("Intensity\tRed\tGreen\tBlue");
    for (size_t i = 0; i < 256; ++i)
        lines << Str(static_cast<int>(i)) + tab + Str(h.red[i]) + tab + Str(h.green[i]) + tab +
                     Str(h.blue[i]);
    return lines;
}

QString IntensityTableName(const QString& title) {
    const qsizetype dot = title.indexOf(QLatin1Char('.'));
    return (dot < 0 ? title : title.left(dot)) + QStringLiteral(" ROI intensities.xls");
}

}  // namespace qv
