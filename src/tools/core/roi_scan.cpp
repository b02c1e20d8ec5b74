#include "tools/core/roi_scan.h"

#include <algorithm>

#include "platform/core/graphics.h"

namespace qv {

RoiCutSize RoiCut(int downx, int downy, int upx, int upy, const PicturePtr& source) {
    RoiCutSize s{upx - downx, upy - downy};
    if (source) {
        if (s.width == 0) s.width = source->Width();
        if (s.height == 0) s.height = source->Height();
    }
    return s;
}

PicturePtr CutRoi(const PicturePtr& source, int x, int y, const RoiCutSize& size) {
    PicturePtr copy = NewPicture(size.width, size.height, 32);
    if (copy && source)
        copy->Graphics().DrawPicture(source, 0, 0, size.width, size.height, x, y, size.width,
                                     size.height);
    return copy;
}

RoiCutSize RoiWindowSize(const RoiCutSize& copy) {
    return {copy.width + 423, std::max(180, copy.height + 28)};
}

RoiCounts ScanRoi(const PicturePtr& copy) {
    RoiCounts c;
    if (!copy) return c;
    const QImage& img = copy->Image();
    const int w = img.width(), h = img.height();
    // Each channel is tested in place under its mask, and the pixels are
    // counted where a channel is 0 (the rest have it above 0): one compare per
    // counter. Per-row tallies in 32 bits keep the loop vectorised.
    std::array<std::int64_t, 4> zero{};
    for (int y = 1; y < h; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
        std::uint32_t zr = 0, zg = 0, zb = 0, za = 0, sr = 0, sg = 0, sb = 0, sa = 0;
        for (int x = 1; x < w; ++x) {
            const std::uint32_t p = line[x];
            const std::uint32_t r = p & 0xFF0000u, g = p & 0xFF00u, b = p & 0xFFu;
            zr += r == 0;
            zg += g == 0;
            zb += b == 0;
            za += (p & 0xFFFFFFu) == 0;
            const bool r8 = r == 0xFF0000u, g8 = g == 0xFF00u, b8 = b == 0xFFu;
            sr += r8;
            sg += g8;
            sb += b8;
            sa += r8 || g8 || b8;
        }
        zero[0] += zr, zero[1] += zg, zero[2] += zb, zero[3] += za;
        c.saturated[0] += sr, c.saturated[1] += sg, c.saturated[2] += sb, c.saturated[3] += sa;
    }
    const std::int64_t interior = w > 1 && h > 1 ? std::int64_t{w - 1} * (h - 1) : 0;
    for (size_t k = 0; k < 4; ++k) c.pixels[k] = interior - zero[k];
    return c;
}

}  // namespace qv
