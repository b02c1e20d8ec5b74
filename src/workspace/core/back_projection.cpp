#include "workspace/core/back_projection.h"

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "workspace/core/row_bands.h"

namespace qv {

namespace {

// Columns painted together, row by row, between two rounds of polls.
constexpr int kBand = 512;

}  // namespace

QuadrantOnScreen QuadrantRegion(int quadrotate, int cx, int cy) {
    QuadrantOnScreen q;
    FluorogramRect& r = q.region;
    r = {cx, cy, cx, cy};
    switch (quadrotate) {
        case 0:  // upper right
            r.upx = 255, r.downy = 0;
            q.x1 = cx - 1, q.y1 = 0, q.x2 = 254, q.y2 = cy;
            break;
        case 1:  // lower right
            r.upx = 255, r.upy = 255;
            q.x1 = cx - 1, q.y1 = cy - 1, q.x2 = 254, q.y2 = 254;
            break;
        case 2:  // lower left
            r.downx = 0, r.downy = 255;
            q.x1 = 0, q.y1 = 254, q.x2 = cx, q.y2 = cy - 1;
            break;
        case 3:  // upper left
            r.downx = 0, r.upy = 0;
            q.x1 = 0, q.y1 = cy, q.x2 = cx, q.y2 = 0;
            break;
        default:
            break;
    }
    if (r.upx < r.downx) std::swap(r.upx, r.downx);
    if (r.upy < r.downy) std::swap(r.upy, r.downy);
    return q;
}

OutlineRect OutlineThrough(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1};
}

namespace {

// The pass's test as plain values, so that the row loop vectorises: a pixel is
// painted when its pair values lie strictly between the bounds, they are not
// both 0, and its red and green are not both 255.
struct PaintTest {
    int xs, ys;          // shifts of the pair's x and y channels
    int xbelow, xabove;  // x-channel bounds, exclusive
    int ybelow, yabove;  // y-channel bounds, exclusive

    // All ones (white) for a pixel that is painted, else 0; each test gives a
    // mask of its own, without branches.
    std::uint32_t White(std::uint32_t c) const {
        const int xv = static_cast<int>((c >> xs) & 0xFFu);
        const int yv = static_cast<int>((c >> ys) & 0xFFu);
        const std::int32_t inside =
            -static_cast<std::int32_t>(xv > xbelow) & -static_cast<std::int32_t>(xv < xabove) &
            -static_cast<std::int32_t>(yv > ybelow) & -static_cast<std::int32_t>(yv < yabove);
        const std::int32_t data = -static_cast<std::int32_t>((xv | yv) > 0);
        const std::int32_t saturated = -static_cast<std::int32_t>((c & 0xFFFF00u) == 0xFFFF00u);
        return static_cast<std::uint32_t>(inside & data & ~saturated);
    }
};

// Columns left <= x < right of rows first <= y < last.
void PaintRows(const uchar* in, qsizetype inStride, uchar* out, qsizetype outStride,
               const PaintTest t, int left, int right, int first, int last) {
    for (int y = first; y < last; ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(in + y * inStride);
        auto* to = reinterpret_cast<std::uint32_t*>(out + y * outStride);
        for (int x = left; x < right; ++x) to[x] |= t.White(from[x]);
    }
}

}  // namespace

bool PaintBackProjection(const PicturePtr& crop, Picture& target, const RoiBox& box,
                         const ChannelPair& pair, const FluorogramRect& region,
                         const std::function<bool()>& cancelled) {
    if (!crop) return true;
    const QImage& source = crop->Image();
    QImage& out = target.Image();
    const PixelRange r = ClipInterior(box, std::min(source.width(), out.width()),
                                      std::min(source.height(), out.height()));
    const bool polls = cancelled && std::string_view(pair.mode) != "bg";
    const PaintTest test{ChannelShift(pair.x), ChannelShift(pair.y), region.downx - 1,
                         region.upx + 1,       254 - region.upy,     256 - region.downy};
    const uchar* inBits = source.constBits();
    uchar* outBits = out.bits();
    const qsizetype inStride = source.bytesPerLine(), outStride = out.bytesPerLine();
    const auto paint = [&](int left, int right) {
        ForEachRowBand(r.top, r.bottom, right - left, [&](int, int first, int last) {
            PaintRows(inBits, inStride, outBits, outStride, test, left, right, first, last);
        });
    };
    const std::function<bool()> never;
    return ForEachPolledColumnBand(r.left, r.right, kBand, polls ? cancelled : never, paint);
}

}  // namespace qv
