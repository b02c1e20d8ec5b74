#pragma once

// The ROI intensity table: the histograms of all three channels of the ROI as
// a tab-separated sheet.

#include <QString>
#include <QStringList>

#include "workspace/core/channel_histogram.h"

namespace qv {

struct IntensityHistograms {
    HistogramBins red{};
    HistogramBins green{};
    HistogramBins blue{};
};

// The three channels' histograms of the box (both edges included, clipped to
// the crop), each counted as CountChannel counts: every data pixel adds one to
// each channel's bin of its value.
IntensityHistograms CountIntensities(const PicturePtr& crop, const RoiBox& box);

// The table's 258 lines: the file's own name, the header "Intensity", "Red",
// "Green", "Blue", then one line per intensity 0..255 with its three counts;
// cells joined by TAB, no TAB at a line's end.
QStringList IntensityTableLines(const QString& fileName, const IntensityHistograms& h);

// The name the save dialog proposes: the title up to its first "." (the whole
// title without one), then " ROI intensities.xls".
QString IntensityTableName(const QString& title);

}  // namespace qv
