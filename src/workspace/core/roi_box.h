#pragma once

#include <algorithm>

namespace qv {

// A ROI rectangle in picture pixels: (x1, y1) is the upper-left and (x2, y2) the
// lower-right corner, both part of the box. A box with x1 > x2 or y1 > y2 holds
// no pixel.
struct RoiBox {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    bool operator==(const RoiBox&) const = default;
};

// Pixels left <= x < right, top <= y < bottom of a picture: what a pass visits
// once its box is clipped to the picture. Never reaches outside 0..width, 0..height.
struct PixelRange {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool Empty() const { return left >= right || top >= bottom; }
    long long Count() const {
        return Empty() ? 0 : static_cast<long long>(right - left) * (bottom - top);
    }
};

namespace detail {
inline PixelRange Clip(long long left, long long top, long long right, long long bottom, int width,
                       int height) {
    PixelRange r;
    r.left = static_cast<int>(std::clamp<long long>(left, 0, std::max(width, 0)));
    r.right = static_cast<int>(std::clamp<long long>(right, r.left, std::max(width, 0)));
    r.top = static_cast<int>(std::clamp<long long>(top, 0, std::max(height, 0)));
    r.bottom = static_cast<int>(std::clamp<long long>(bottom, r.top, std::max(height, 0)));
    return r;
}
}  // namespace detail

// The box with both edges included (x1..x2, y1..y2), clipped to a picture.
inline PixelRange ClipBox(const RoiBox& b, int width, int height) {
    return detail::Clip(b.x1, b.y1, static_cast<long long>(b.x2) + 1,
                        static_cast<long long>(b.y2) + 1, width, height);
}

// The box's interior without its edge rows and columns (x1 < x < x2, y1 < y < y2),
// clipped to a picture.
inline PixelRange ClipInterior(const RoiBox& b, int width, int height) {
    return detail::Clip(static_cast<long long>(b.x1) + 1, static_cast<long long>(b.y1) + 1, b.x2,
                        b.y2, width, height);
}

}  // namespace qv
