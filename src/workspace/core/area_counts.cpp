#include "workspace/core/area_counts.h"

#include <QImage>
#include <algorithm>
#include <vector>

#include "workspace/core/row_bands.h"

namespace qv {

namespace {

// Pixels summed in 32-bit lanes, which vectorise, before they join the totals:
// 2^20 * 255 fits 32 bits.
constexpr int kStretch = 1 << 20;

// One slot's counts, on cache lines of their own.
struct alignas(64) SlotCounts {
    AreaCounts counts;
};

void CountRows(const QImage& image, const PixelRange& r, int first, int last, AreaCounts& a) {
    for (int y = first; y < last; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x0 = r.left; x0 < r.right; x0 += kStretch) {
            const int x1 = std::min(r.right, x0 + kStretch);
            std::uint32_t nr = 0, ng = 0, nb = 0, sr = 0, sg = 0, sb = 0;
            for (int x = x0; x < x1; ++x) {
                const std::uint32_t c = line[x] & 0xFFFFFFu;
                // Pure black adds nothing to any channel, so only pure white is left out.
                const std::uint32_t keep = 0u - static_cast<std::uint32_t>(c != 0xFFFFFFu);
                const std::uint32_t rv = (c >> 16) & keep, gv = (c >> 8) & 0xFFu & keep,
                                    bv = c & 0xFFu & keep;
                nr += rv != 0;
                ng += gv != 0;
                nb += bv != 0;
                sr += rv;
                sg += gv;
                sb += bv;
            }
            a.area[0] += nr, a.area[1] += ng, a.area[2] += nb;
            a.intensity[0] += sr, a.intensity[1] += sg, a.intensity[2] += sb;
        }
    }
}

}  // namespace

AreaCounts CountAreas(const PicturePtr& crop, const RoiBox& box) {
    AreaCounts a;
    if (!crop) return a;
    const QImage& image = crop->Image();
    const PixelRange r = ClipBox(box, image.width(), image.height());
    std::vector<SlotCounts> perSlot(static_cast<size_t>(RowBandSlots()));
    ForEachRowBand(r.top, r.bottom, r.right - r.left, [&](int slot, int first, int last) {
        CountRows(image, r, first, last, perSlot[static_cast<size_t>(slot)].counts);
    });
    for (const SlotCounts& s : perSlot)
        for (size_t i = 0; i < 3; ++i)
            a.area[i] += s.counts.area[i], a.intensity[i] += s.counts.intensity[i];
    return a;
}

}  // namespace qv
