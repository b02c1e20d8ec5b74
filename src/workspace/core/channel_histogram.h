#pragma once

// The intensity histogram of one colour channel over the ROI box of the crop,
// its bars and its statistics on either side of a split cursor.

#include <QString>
#include <array>
#include <cstdint>

#include "platform/core/picture.h"
#include "workspace/core/channel_pairs.h"
#include "workspace/core/roi_box.h"

namespace qv {

// Bin i = number of data pixels whose channel value is i.
using HistogramBins = std::array<std::int32_t, 256>;

// Counts the data pixels of the box (both edges included, clipped to the crop)
// by one channel's value: pure black and pure white pixels are skipped, any
// other pixel with the channel at 0 counts in bin 0. A missing crop counts nothing.
HistogramBins CountChannel(const PicturePtr& crop, Channel channel, const RoiBox& box);

// The largest bin (0 when every bin is 0).
std::int32_t HistogramMaximum(const HistogramBins& bins);

// Colour of a channel's bars: pure red, green or blue.
Color BarColor(Channel channel);

// Caption of the check box that counts the channel's zero pixels: "Count non-reds" etc.
QString ZeroCountCaption(Channel channel);

// Top row of the bar of a bin, drawn as a line from (i, 256) up to (i, top).
// Unscaled: 256 - bin, one row per pixel. Scaled: 256 - bin * 250 / maximum in
// double precision, truncated, so the tallest bar reaches row 6. A top above
// the picture is given as 0 (the same rows of a 256-high picture); with a
// maximum of 0 the scaled bars are 256, inside no picture row.
int BarTop(std::int32_t bin, std::int32_t maximum, bool scaled);

// Counts and sums either side of the cursor: the left side holds the bins from
// 1 (from 0 when `countZero`) to the cursor, the right side the bins above it.
// The cursor is clamped to 0..255 first.
struct HistogramSplit {
    std::int64_t leftCount = 0;
    std::int64_t leftSum = 0;  // sum of i * bin i
    std::int64_t rightCount = 0;
    std::int64_t rightSum = 0;
};
HistogramSplit SplitHistogram(const HistogramBins& bins, int cursor, bool countZero);

// A mean as the canvas shows it: the first 5 characters of Str(sum / count),
// cut, not rounded; with no pixel (count 0) the coefficients' 0/0 text.
QString SplitMeanText(std::int64_t sum, std::int64_t count);

// A text with the x of its left end and the y of its baseline.
struct PlacedText {
    QString text;
    int x = 0;
    int baseline = 0;
    bool operator==(const PlacedText&) const = default;
};

// The four texts of the split statistics, in drawing order: "n=" + left count
// at (2, 11), "mean=" + left mean at (2, 31), the right count at (r, 21) and
// the right mean at (r, 41), where r is the smaller of 180 and cursor + 2
// (cursor clamped to 0..255).
std::array<PlacedText, 4> SplitTexts(const HistogramSplit& split, int cursor);

}  // namespace qv
