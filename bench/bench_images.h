#pragma once

// Pictures for the benchmarks.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/core/picture.h"

namespace qv::bench {

// A confocal-like two-channel image: dark noisy background with bright cells
// where red and green partly overlap, faint blue, a few saturated spots.
inline PicturePtr ConfocalImage(int side) {
    PicturePtr p = NewPicture(side, side);
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    struct Blob {
        double x, y, r, red, green;
    };
    std::vector<Blob> blobs;
    for (int i = 0; i < 80; ++i) {
        Blob b;
        b.x = next() % side;
        b.y = next() % side;
        b.r = 10 + next() % (side / 12 + 1);
        b.red = 40 + next() % 240;
        b.green = (next() % 3 == 0) ? 0 : b.red * (0.3 + (next() % 100) / 100.0);
        blobs.push_back(b);
    }
    QImage& img = p->Image();
    for (int y = 0; y < side; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(img.scanLine(y));
        for (int x = 0; x < side; ++x) {
            double r = 0, g = 0;
            for (const Blob& b : blobs) {
                const double dx = x - b.x, dy = y - b.y;
                const double d2 = (dx * dx + dy * dy) / (b.r * b.r);
                if (d2 > 4) continue;
                const double w = std::exp(-d2);
                r += b.red * w;
                g += b.green * w;
            }
            const int noise = static_cast<int>(next() % 17) - 8;
            const int ri = std::clamp(static_cast<int>(r) + noise, 0, 255);
            const int gi = std::clamp(static_cast<int>(g) + noise / 2, 0, 255);
            const int bi = std::clamp(static_cast<int>(next() % 6) - 3, 0, 255);
            line[x] = 0xFF000000u | (static_cast<std::uint32_t>(ri) << 16) |
                      (static_cast<std::uint32_t>(gi) << 8) | static_cast<std::uint32_t>(bi);
        }
    }
    return p;
}

}  // namespace qv::bench
