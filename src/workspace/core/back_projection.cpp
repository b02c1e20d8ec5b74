#include "workspace/core/back_projection.h"

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace qv {

namespace {

// Columns painted together, row by row, between two rounds of polls.
constexpr int kBand = 256;

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

bool PaintBackProjection(const PicturePtr& crop, Picture& target, const RoiBox& box,
                         const ChannelPair& pair, const FluorogramRect& region,
                         const std::function<bool()>& cancelled) {
    if (!crop) return true;
    const QImage& source = crop->Image();
    QImage& out = target.Image();
    const PixelRange r = ClipInterior(box, std::min(source.width(), out.width()),
                                      std::min(source.height(), out.height()));
    const bool polls = cancelled && std::string_view(pair.mode) != "bg";
    const int xs = ChannelShift(pair.x), ys = ChannelShift(pair.y);
    const uchar* inBits = source.constBits();
    uchar* outBits = out.bits();
    const qsizetype inStride = source.bytesPerLine(), outStride = out.bytesPerLine();
    // All ones (white) for a pixel that is painted, else 0; each test gives a
    // mask of its own, so the pass runs on whole vectors without branches.
    const int xbelow = region.downx - 1, xabove = region.upx + 1;
    const int ybelow = 254 - region.upy, yabove = 256 - region.downy;
    auto white = [=](std::uint32_t c) {
        const int xv = static_cast<int>((c >> xs) & 0xFFu);
        const int yv = static_cast<int>((c >> ys) & 0xFFu);
        const std::int32_t inside =
            -static_cast<std::int32_t>(xv > xbelow) & -static_cast<std::int32_t>(xv < xabove) &
            -static_cast<std::int32_t>(yv > ybelow) & -static_cast<std::int32_t>(yv < yabove);
        const std::int32_t data = -static_cast<std::int32_t>((xv | yv) > 0);
        const std::int32_t saturated = -static_cast<std::int32_t>((c & 0xFFFF00u) == 0xFFFF00u);
        return static_cast<std::uint32_t>(inside & data & ~saturated);
    };
    for (int left = r.left; left < r.right; left += kBand) {
        int right = std::min(r.right, left + kBand);
        // The band's columns are polled first and the band is painted up to the
        // column whose poll cancelled: as if each column were polled after it is done.
        bool stop = false;
        for (int x = left; polls && x < right; ++x) {
            if (cancelled()) {
                right = x + 1;
                stop = true;
                break;
            }
        }
        for (int y = r.top; y < r.bottom; ++y) {
            const auto* in = reinterpret_cast<const std::uint32_t*>(inBits + y * inStride);
            auto* to = reinterpret_cast<std::uint32_t*>(outBits + y * outStride);
            for (int x = left; x < right; ++x) to[x] |= white(in[x]);
        }
        if (stop) return false;
    }
    return true;
}

}  // namespace qv
