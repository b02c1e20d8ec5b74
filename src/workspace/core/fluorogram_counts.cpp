#include "workspace/core/fluorogram_counts.h"

#include <QImage>
#include <cstdint>
#include <numeric>

namespace qv {

std::int64_t FluorogramCounts::Total() const {
    return std::accumulate(bins_.begin(), bins_.end(), std::int64_t{0});
}

void AddFluorogramHits(FluorogramCounts& counts, const PicturePtr& crop, const ChannelPair& pair,
                       const RoiBox& box) {
    if (!crop) return;
    const QImage& image = crop->Image();
    const PixelRange r = ClipBox(box, image.width(), image.height());
    if (r.Empty()) return;
    const int xs = ChannelShift(pair.x), ys = ChannelShift(pair.y);
    std::uint32_t* bins = counts.Data();
    const uchar* base = image.constBits();
    const qsizetype stride = image.bytesPerLine();
    for (int y = r.top; y < r.bottom; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(base + y * stride);
        for (int x = r.left; x < r.right; ++x) {
            const std::uint32_t c = line[x] & 0xFFFFFFu;
            if (c == 0u || c == 0xFFFFFFu) continue;  // no-data pixels
            const std::uint32_t column = (c >> xs) & 0xFFu;
            const std::uint32_t row = 255u - ((c >> ys) & 0xFFu);
            ++bins[(row << 8) | column];
        }
    }
}

FluorogramCounts CountFluorogram(const PicturePtr& crop, const ChannelPair& pair,
                                 const RoiBox& box) {
    FluorogramCounts counts;
    AddFluorogramHits(counts, crop, pair, box);
    return counts;
}

}  // namespace qv
