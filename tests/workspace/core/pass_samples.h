#pragma once

// The pictures the fast pixel passes are checked on against plain
// pixel-by-pixel references, and the check of a whole picture.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "bench_images.h"
#include "core_fixtures.h"

namespace qv::testing {

// Random colours with some pure black and pure white pixels among them.
inline PicturePtr Random(int w, int h, unsigned seed) {
    std::mt19937 rng(seed);
    PicturePtr p = NewPicture(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned roll = rng() % 16;
            Set(p, x, y, roll == 0 ? kBlack : roll == 1 ? kWhite : rng() & 0xFFFFFFu);
        }
    return p;
}

struct Sample {
    std::string name;
    PicturePtr picture;
};

// Random, confocal-like, all white, all black, one pixel and small, in odd
// sizes: the larger ones are split into bands between threads and leave a
// short last band, and rows end in every remainder of the vector loops.
inline const std::vector<Sample>& Samples() {
    static const std::vector<Sample> samples = {
        {"random", Random(263, 301, 1)},     {"confocal", bench::ConfocalImage(300)},
        {"white", Filled(290, 290, kWhite)}, {"black", Filled(290, 290, kBlack)},
        {"one pixel", Random(1, 1, 2)},      {"one white pixel", Filled(1, 1, kWhite)},
        {"small", Random(7, 5, 3)},
    };
    return samples;
}

inline std::uint32_t Raw(const PicturePtr& p, int x, int y) {
    return reinterpret_cast<const std::uint32_t*>(p->Image().constScanLine(y))[x];
}

// Every pixel of `actual` is the opaque colour `expected` gives for it.
template <typename Expected>
void ExpectPicture(const PicturePtr& actual, int w, int h, Expected expected,
                   const std::string& what) {
    ASSERT_TRUE(actual) << what;
    ASSERT_EQ(actual->Width(), w) << what;
    ASSERT_EQ(actual->Height(), h) << what;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(Raw(actual, x, y), 0xFF000000u | expected(x, y))
                << what << " at " << x << "," << y;
}

}  // namespace qv::testing
