#include "workspace/core/sections.h"

#include <algorithm>
#include <utility>

namespace qv {

FluorogramRect SectionRelease(int downx, int downy, int x, int y, bool normalise) {
    FluorogramRect r{downx, downy, x, y};
    if (normalise) {
        if (r.upx < r.downx) std::swap(r.downx, r.upx);
        if (r.upy < r.downy) std::swap(r.downy, r.upy);
    }
    r.downx = std::max(r.downx, 0);
    r.upx = ClampToFluorogram(r.upx);
    r.downy = std::max(r.downy, 0);
    r.upy = ClampToFluorogram(r.upy);
    return r;
}

std::int64_t SectionCount(const FluorogramCounts& counts, int x1, int y1, int x2, int y2) {
    // A reversed range, or one wholly outside the fluorogram, holds no bin.
    if (x1 > x2 || y1 > y2 || x2 < 0 || x1 > 255 || y2 < 0 || y1 > 255) return 0;
    const int c0 = ClampToFluorogram(x1), c1 = ClampToFluorogram(x2);
    const int r0 = ClampToFluorogram(y1), r1 = ClampToFluorogram(y2);
    std::int64_t sum = 0;
    const std::uint32_t* bins = counts.Data();
    for (int row = r0; row <= r1; ++row) {
        const std::uint32_t* line = bins + row * FluorogramCounts::kSide;
        for (int column = c0; column <= c1; ++column) sum += line[column];
    }
    return sum;
}

std::array<std::int64_t, 4> QuadrantSums(const FluorogramCounts& counts, int cx, int cy) {
    cx = ClampToFluorogram(cx);
    cy = ClampToFluorogram(cy);
    std::array<std::int64_t, 4> q{};
    const std::uint32_t* bins = counts.Data();
    for (int row = 0; row < FluorogramCounts::kSide; ++row) {
        const std::uint32_t* line = bins + row * FluorogramCounts::kSide;
        std::int64_t left = 0, right = 0;
        for (int column = 0; column <= cx; ++column) left += line[column];
        for (int column = cx + 1; column < FluorogramCounts::kSide; ++column) right += line[column];
        const bool upper = row <= cy;
        q[upper ? kUpperLeft : kLowerLeft] += left;
        q[upper ? kUpperRight : kLowerRight] += right;
    }
    return q;
}

std::array<TextPlace, 4> QuadrantTextPlaces(int cx, int cy) {
    cx = ClampToFluorogram(cx);
    cy = ClampToFluorogram(cy);
    const int right = std::min(std::max(40, cx + 2), 210);
    const int lower = std::min(cy + 11, 245);
    return {{{2, 11}, {right, 11}, {2, lower}, {right, lower}}};
}

}  // namespace qv
