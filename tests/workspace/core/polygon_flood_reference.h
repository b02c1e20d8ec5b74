#pragma once

// The polygon mask as it was made before the row pass: the fill by centres,
// the platform's fill and the outline drawn into the picture, then a flood
// over the polygon's box for what lies outside and for the slivers closed in.
// The row pass is checked against it.

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/core/color.h"
#include "platform/core/picture.h"
#include "workspace/core/roi_crop.h"

namespace qv::test::flood {

constexpr std::uint32_t kAlpha = 0xFF000000u;

struct Rows {
    uchar* base;
    qsizetype stride;
    std::uint32_t* operator[](int y) const {
        return reinterpret_cast<std::uint32_t*>(base + y * stride);
    }
};

// Marks every pixel whose centre lies inside the polygon or on its edges, the
// vertices being taken at pixel centres as the outline draws them (even-odd
// rule, as the platform's fill).
// `top` and `bottom` are the vertices' least and greatest y.
inline void FillByCentres(QImage& image, const std::vector<int>& points, int n, int top,
                          int bottom) {
    const int width = image.width(), height = image.height();
    const Rows rows{image.bits(), image.bytesPerLine()};
    std::vector<double> xs;
    for (int y = std::max(top, 0); y <= std::min(bottom, height - 1); ++y) {
        xs.clear();
        for (int k = 1; k <= n; ++k) {
            const int next = k == n ? 1 : k + 1;
            const double xa = points[2 * k - 1], ya = points[2 * k];
            const double xb = points[2 * next - 1], yb = points[2 * next];
            if ((ya <= y && y < yb) || (yb <= y && y < ya))
                xs.push_back(xa + (y - ya) * (xb - xa) / (yb - ya));
        }
        std::sort(xs.begin(), xs.end());
        std::uint32_t* row = rows[y];
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            const int a = std::max(static_cast<int>(std::ceil(xs[i])), 0);
            const int b = std::min(static_cast<int>(std::floor(xs[i + 1])), width - 1);
            for (int x = a; x <= b; ++x) row[x] = kAlpha | kMaskColor;
        }
    }
}

// Fills the slivers of white that the outline and the fill close in between
// them near sharp vertices: pixels that no side step reaches from outside the
// box (left, top, right, bottom: the polygon's bounding box and a ring of one
// pixel, clipped to the picture), all of whose pixels touch the rim (drawn in
// `rim`). A larger hole, as where a polygon crosses itself, stays white.
inline void FillRimSlivers(QImage& image, Color rim, int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, image.width() - 1);
    bottom = std::min(bottom, image.height() - 1);
    if (left > right || top > bottom) return;
    const Rows rows{image.bits(), image.bytesPerLine()};
    constexpr std::uint32_t kOutside = kAlpha, kHole = kAlpha | 1u;
    const std::uint32_t rimPixel = kAlpha | rim;
    std::vector<std::pair<int, int>> todo, part;
    auto take = [&](int x, int y, std::uint32_t mark) {
        if (x < left || y < top || x > right || y > bottom || rows[y][x] != kOpaqueWhite) return;
        rows[y][x] = mark;
        todo.emplace_back(x, y);
    };
    auto spread = [&](std::uint32_t mark) {
        while (!todo.empty()) {
            const auto [x, y] = todo.back();
            todo.pop_back();
            part.emplace_back(x, y);
            take(x - 1, y, mark), take(x + 1, y, mark), take(x, y - 1, mark), take(x, y + 1, mark);
        }
    };
    // Outside first, a run of a row at a time: from each white run, the runs
    // above and below it that it touches.
    std::vector<std::pair<int, int>> seeds;
    auto seedRuns = [&](int y, int a, int b) {
        if (y < top || y > bottom) return;
        for (int x = a; x <= b; ++x)
            if (rows[y][x] == kOpaqueWhite && (x == a || rows[y][x - 1] != kOpaqueWhite))
                seeds.emplace_back(x, y);
    };
    seedRuns(top, left, right);
    seedRuns(bottom, left, right);
    for (int y = top; y <= bottom; ++y) seeds.emplace_back(left, y), seeds.emplace_back(right, y);
    while (!seeds.empty()) {
        const auto [x, y] = seeds.back();
        seeds.pop_back();
        std::uint32_t* row = rows[y];
        if (row[x] != kOpaqueWhite) continue;
        int a = x, b = x;
        while (a > left && row[a - 1] == kOpaqueWhite) --a;
        while (b < right && row[b + 1] == kOpaqueWhite) ++b;
        std::fill(row + a, row + b + 1, kOutside);
        seedRuns(y - 1, a, b);
        seedRuns(y + 1, a, b);
    }
    auto touchesRim = [&](int x, int y) {
        for (int j = std::max(y - 1, top); j <= std::min(y + 1, bottom); ++j)
            for (int i = std::max(x - 1, left); i <= std::min(x + 1, right); ++i)
                if (rows[j][i] == rimPixel) return true;
        return false;
    };
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            if (rows[y][x] != kOpaqueWhite) continue;
            part.clear();
            take(x, y, kHole);
            spread(kHole);
            const bool sliver = std::all_of(part.begin(), part.end(),
                                            [&](auto p) { return touchesRim(p.first, p.second); });
            for (auto [i, j] : part) rows[j][i] = sliver ? kAlpha | kMaskColor : kHole;
        }
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            std::uint32_t& p = rows[y][x];
            if (p == kOutside || p == kHole)
                p = kOpaqueWhite;
            else if (p == rimPixel)
                p = kAlpha | kMaskColor;
        }
}

inline PicturePtr PolygonMask(int imgsize, const std::vector<int>& points) {
    PicturePtr mask = NewPicture(imgsize, imgsize);
    if (!mask) return nullptr;
    const int n = static_cast<int>((points.size() - (points.empty() ? 0 : 1)) / 2);
    if (n < 1) return mask;
    // The platform's fill takes the vertices as pixel corners, the outline as
    // pixel centres; each alone leaves out pixels beside some edges, so the
    // mask takes the fill by centres, the platform's fill, the outline and
    // what those close in between them.
    int left = points[1], top = points[2], right = left, bottom = top;
    for (int k = 1; k <= n; ++k) {
        left = std::min(left, points[2 * k - 1]);
        right = std::max(right, points[2 * k - 1]);
        top = std::min(top, points[2 * k]);
        bottom = std::max(bottom, points[2 * k]);
    }
    Graphics& g = mask->Graphics();
    g.ForeColor = kMaskColor;
    if (n >= 3) FillByCentres(mask->Image(), points, n, top, bottom);
    g.FillPolygon(points);
    constexpr Color kRim = RGB(255, 255, 1);  // told apart until the slivers are found
    g.ForeColor = kRim;
    g.DrawPolygon(points);
    FillRimSlivers(mask->Image(), kRim, left - 1, top - 1, right + 1, bottom + 1);
    return mask;
}

}  // namespace qv::test::flood
