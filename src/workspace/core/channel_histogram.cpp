#include "workspace/core/channel_histogram.h"

#include <QImage>
#include <algorithm>
#include <vector>

#include "platform/core/text.h"
#include "workspace/core/coefficients.h"
#include "workspace/core/row_bands.h"

namespace qv {

namespace {

constexpr int kBins = 256;

// One slot's counts: four interleaved sub-histograms taking turns, so that a
// run of equal values does not chain each increment on the one before, and
// the pure black and pure white pixels, which were counted in bins 0 and 255.
struct alignas(64) SlotBins {
    std::array<std::array<std::uint32_t, kBins>, 4> part{};
    std::uint32_t black = 0, white = 0;
};

void CountRows(const QImage& image, const PixelRange& r, int first, int last, int shift,
               SlotBins& s) {
    std::uint32_t black = 0, white = 0;
    for (int y = first; y < last; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        int x = r.left;
        for (; x + 4 <= r.right; x += 4) {
            ++s.part[0][(line[x] >> shift) & 0xFFu];
            ++s.part[1][(line[x + 1] >> shift) & 0xFFu];
            ++s.part[2][(line[x + 2] >> shift) & 0xFFu];
            ++s.part[3][(line[x + 3] >> shift) & 0xFFu];
        }
        for (; x < r.right; ++x) ++s.part[0][(line[x] >> shift) & 0xFFu];
        for (x = r.left; x < r.right; ++x) {
            const std::uint32_t c = line[x] & 0xFFFFFFu;
            black += c == 0u;
            white += c == 0xFFFFFFu;
        }
    }
    s.black += black;
    s.white += white;
}

}  // namespace

HistogramBins CountChannel(const PicturePtr& crop, Channel channel, const RoiBox& box) {
    HistogramBins bins{};
    if (!crop) return bins;
    const QImage& image = crop->Image();
    const PixelRange r = ClipBox(box, image.width(), image.height());
    if (r.Empty()) return bins;
    const int shift = ChannelShift(channel);
    std::vector<SlotBins> perSlot(static_cast<size_t>(RowBandSlots()));
    ForEachRowBand(r.top, r.bottom, r.right - r.left, [&](int slot, int first, int last) {
        CountRows(image, r, first, last, shift, perSlot[static_cast<size_t>(slot)]);
    });
    // The bins are Int32 as the workspace keeps them; a working area holds at
    // most 1024 x 1024 pixels.
    std::uint32_t total[kBins] = {};
    for (const SlotBins& s : perSlot) {
        for (const auto& part : s.part)
            for (int i = 0; i < kBins; ++i) total[i] += part[static_cast<size_t>(i)];
        total[0] -= s.black;
        total[255] -= s.white;
    }
    for (int i = 0; i < kBins; ++i)
        bins[static_cast<size_t>(i)] = static_cast<std::int32_t>(total[i]);
    return bins;
}

std::int32_t HistogramMaximum(const HistogramBins& bins) {
    return std::max<std::int32_t>(0, *std::max_element(bins.begin(), bins.end()));
}

Color BarColor(Channel channel) {
    switch (channel) {
        case Channel::Red:
            return RGB(255, 0, 0);
        case Channel::Green:
            return RGB(0, 255, 0);
        case Channel::Blue:
            return RGB(0, 0, 255);
    }
    return kBlack;
}

QString ZeroCountCaption(Channel channel) {
    switch (channel) {
        case Channel::Red:
            return QStringLiteral("Count non-reds");
        case Channel::Green:
            return QStringLiteral("Count non-greens");
        case Channel::Blue:
            return QStringLiteral("Count non-blues");
    }
    return QString();
}

int BarTop(std::int32_t bin, std::int32_t maximum, bool scaled) {
    double top = 256.0 - bin;
    if (scaled) {
        if (maximum <= 0) return 256;  // no bar to scale
        top = 256.0 - static_cast<double>(static_cast<std::int64_t>(bin) * 250) / maximum;
    }
    return static_cast<int>(std::clamp(top, 0.0, 256.0));
}

HistogramSplit SplitHistogram(const HistogramBins& bins, int cursor, bool countZero) {
    cursor = std::clamp(cursor, 0, kBins - 1);
    HistogramSplit s;
    for (int i = countZero ? 0 : 1; i <= cursor; ++i) {
        s.leftCount += bins[static_cast<size_t>(i)];
        s.leftSum += static_cast<std::int64_t>(i) * bins[static_cast<size_t>(i)];
    }
    for (int i = cursor + 1; i < kBins; ++i) {
        s.rightCount += bins[static_cast<size_t>(i)];
        s.rightSum += static_cast<std::int64_t>(i) * bins[static_cast<size_t>(i)];
    }
    return s;
}

QString SplitMeanText(std::int64_t sum, std::int64_t count) {
    if (count == 0) return kNoCoefficientText;
    return Left(Str(static_cast<double>(sum) / static_cast<double>(count)), 5);
}

std::array<PlacedText, 4> SplitTexts(const HistogramSplit& split, int cursor) {
    const int right = std::min(180, std::clamp(cursor, 0, kBins - 1) + 2);
    return {{
        {QStringLiteral("n=") + Str(split.leftCount), 2, 11},
        {QStringLiteral("mean=") + SplitMeanText(split.leftSum, split.leftCount), 2, 31},
        {Str(split.rightCount), right, 21},
        {SplitMeanText(split.rightSum, split.rightCount), right, 41},
    }};
}

}  // namespace qv
