#pragma once

// Overlap coefficients of every ordered pair of colour channels over the
// interior of the ROI box of the crop.

#include <QString>
#include <array>
#include <cstdint>

#include "platform/core/picture.h"
#include "workspace/core/channel_pairs.h"
#include "workspace/core/roi_box.h"

namespace qv {

// Per-channel thresholds: a channel value passes when it is strictly above its
// threshold; a value that does not pass is kept as 0.
struct CoefficientThresholds {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const CoefficientThresholds&) const = default;
};

// The thresholds of a pass. Without the quadrant mask all are 0. With it, for
// the pair of colormode, the x-axis channel gets cx - 1 and the y-axis channel
// 254 - cy, where (cx, cy) is the cross-point (ms3upx, ms3upy): a value passes
// from cx, and from 255 - cy, on. So the cross-point's column counts to the
// right here, unlike the quadrant sums. The third channel, and every channel
// for any other mode, stays at 0.
CoefficientThresholds ThresholdsFor(const QString& mode, bool quadrantMask, int cx, int cy);

// The six rows of the coefficient window, in its order.
enum CoefficientRow {
    kRedGreen = 0,
    kRedBlue = 1,
    kGreenRed = 2,
    kGreenBlue = 3,
    kBlueRed = 4,
    kBlueGreen = 5,
};

struct OverlapRow {
    Channel first;        // X
    Channel second;       // Y
    std::int64_t sum;     // kept X values over the pixels where Y passes
    std::int64_t total;   // kept X values over all pixels of the pass
    std::int64_t pixels;  // pixels where X and Y both pass

    // sum / total, or false with *value untouched when total is 0.
    bool Value(double* value) const;
};

struct OverlapCoefficients {
    std::array<OverlapRow, 6> rows;
};

// One pass over the interior of the box (x1 < x < x2, y1 < y < y2, clipped to
// the crop), skipping only pure white pixels (pure black is counted), forming
// the six rows: for row (X, Y), sum = Σ kept X where Y passes, total = Σ kept X,
// pixels = count of pixels where both pass. A missing crop or an interior
// without pixels gives zeros everywhere.
OverlapCoefficients ComputeOverlap(const PicturePtr& crop, const RoiBox& box,
                                   const CoefficientThresholds& thresholds);

// The coefficients of the last pass, given again while the crop's pixels, the
// box and the thresholds are the ones they were computed for (one release has
// them asked for by each live window in turn).
class OverlapMemo {
  public:
    const OverlapCoefficients& Compute(const PicturePtr& crop, const RoiBox& box,
                                       const CoefficientThresholds& thresholds);

  private:
    bool valid_ = false;
    qint64 pixels_ = 0;  // the crop's QImage::cacheKey, which changes with every write
    RoiBox box_;
    CoefficientThresholds thresholds_;
    OverlapCoefficients result_;
};

// What a value field shows for a row whose channel total is 0: a fixed text
// that is read as text by a spreadsheet and is never "nan" or "inf".
inline const QString kNoCoefficientText = QStringLiteral("n/a");

// The value field's text: the first 4 characters of Str(sum / total), cut, not
// rounded (0.8532 -> "0.85", 2/3 -> "0.66", 1 -> "1"); kNoCoefficientText when
// the total is 0.
QString CoefficientText(const OverlapRow& row);

// The rows that keep their texts under the quadrant mask for a colormode: the
// two rows of the pair's channels; every row for any other mode. (The modes are
// distinct literals, so the order they are tested in cannot change a result.)
std::array<bool, 6> RowsKeptUnderMask(const QString& mode);

// The twelve texts of the coefficient window, in row order: each row's value
// text (CoefficientText) and pixel count. With the quadrant mask both texts of
// every row not kept for the mode (RowsKeptUnderMask) are empty.
struct CoefficientWindowTexts {
    std::array<QString, 6> values;
    std::array<QString, 6> pixels;
};
CoefficientWindowTexts CoefficientTexts(const OverlapCoefficients& result, const QString& mode,
                                        bool quadrantMask);

}  // namespace qv
