#include "workspace/core/fluorogram_counts.h"

#include <QImage>
#include <cstdint>
#include <numeric>
#include <vector>

#include "workspace/core/row_bands.h"

namespace qv {

std::int64_t FluorogramCounts::Total() const {
    return std::accumulate(bins_.begin(), bins_.end(), std::int64_t{0});
}

namespace {

constexpr int kBins = FluorogramCounts::kSide * FluorogramCounts::kSide;
// Where the no-data pixels are counted, past the real bins.
constexpr std::uint32_t kNoDataBin = kBins;

// One slot's bins, and the bins of the pixels of the row being counted.
struct SlotCounts {
    std::vector<std::uint32_t> bins, binOf;
};

// Counts rows first <= y < last, columns left <= x < right. Each row is done in
// two steps: the bin of every pixel (a loop the compiler vectorises), then one
// increment per pixel.
void CountRows(const QImage& image, int left, int right, int first, int last, int xs, int ys,
               SlotCounts& s) {
    const int width = right - left;
    if (s.bins.empty()) {
        s.bins.assign(kBins + 1, 0);
        s.binOf.resize(static_cast<size_t>(width));
    }
    std::uint32_t* bins = s.bins.data();
    std::uint32_t* binOf = s.binOf.data();
    for (int y = first; y < last; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y)) + left;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = line[x] & 0xFFFFFFu;
            const std::uint32_t column = (c >> xs) & 0xFFu;
            const std::uint32_t row = 255u - ((c >> ys) & 0xFFu);
            binOf[x] = (c == 0u || c == 0xFFFFFFu) ? kNoDataBin : (row << 8) | column;
        }
        for (int x = 0; x < width; ++x) ++bins[binOf[x]];
    }
}

}  // namespace

void AddFluorogramHits(FluorogramCounts& counts, const PicturePtr& crop, const ChannelPair& pair,
                       const RoiBox& box) {
    if (!crop) return;
    const QImage& image = crop->Image();
    const PixelRange r = ClipBox(box, image.width(), image.height());
    if (r.Empty()) return;
    const int xs = ChannelShift(pair.x), ys = ChannelShift(pair.y);
    std::vector<SlotCounts> perSlot(static_cast<size_t>(RowBandSlots()));
    ForEachRowBand(r.top, r.bottom, r.right - r.left, [&](int slot, int first, int last) {
        CountRows(image, r.left, r.right, first, last, xs, ys, perSlot[static_cast<size_t>(slot)]);
    });
    std::uint32_t* out = counts.Data();
    for (const SlotCounts& s : perSlot) {
        if (s.bins.empty()) continue;
        for (int i = 0; i < kBins; ++i) out[i] += s.bins[static_cast<size_t>(i)];
    }
}

FluorogramCounts CountFluorogram(const PicturePtr& crop, const ChannelPair& pair,
                                 const RoiBox& box) {
    FluorogramCounts counts;
    AddFluorogramHits(counts, crop, pair, box);
    return counts;
}

}  // namespace qv
