#include "tools/core/roi_scan.h"

#include <algorithm>

#include "platform/graphics.h"

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
    // Per-row tallies in 32 bits keep the inner loop simple enough to vectorise.
    for (int y = 1; y < h; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
        std::uint32_t pr = 0, pg = 0, pb = 0, pa = 0, sr = 0, sg = 0, sb = 0, sa = 0;
        for (int x = 1; x < w; ++x) {
            const std::uint32_t p = line[x];
            const std::uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            pr += r != 0;
            pg += g != 0;
            pb += b != 0;
            pa += (p & 0xFFFFFF) != 0;
            const std::uint32_t r8 = r == 0xFF, g8 = g == 0xFF, b8 = b == 0xFF;
            sr += r8;
            sg += g8;
            sb += b8;
            sa += r8 | g8 | b8;
        }
        c.pixels[0] += pr, c.pixels[1] += pg, c.pixels[2] += pb, c.pixels[3] += pa;
        c.saturated[0] += sr, c.saturated[1] += sg, c.saturated[2] += sb, c.saturated[3] += sa;
    }
    return c;
}

}  // namespace qv
