#pragma once

// Small pictures for the core tests.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/picture.h"
#include "workspace/core/channel_pairs.h"

namespace qv::testing {

inline PicturePtr Filled(int w, int h, Color c) {
    PicturePtr p = NewPicture(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p->RGBSurface()->SetPixel(x, y, c);
    return p;
}

// A picture without pure black or pure white pixels; every pixel differs from
// its neighbours.
inline PicturePtr Patterned(int w, int h) {
    PicturePtr p = NewPicture(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p->RGBSurface()->SetPixel(x, y, RGB(1 + x % 250, 1 + y % 250, 77));
    return p;
}

inline Color At(const PicturePtr& p, int x, int y) {
    return p->RGBSurface()->Pixel(x, y);
}
inline void Set(const PicturePtr& p, int x, int y, Color c) {
    p->RGBSurface()->SetPixel(x, y, c);
}

// The channel pair of a colormode text; an unknown text fails the test.
inline const ChannelPair& Pair(const char* mode) {
    const ChannelPair* p = FindChannelPair(QString::fromLatin1(mode));
    EXPECT_TRUE(p) << mode;
    return p ? *p : kChannelPairs[0];
}

// Random colours with many pure black, pure white and red-and-green saturated
// pixels among them.
inline PicturePtr NoisyPicture(int w, int h, unsigned seed) {
    std::mt19937 rng(seed);
    PicturePtr p = NewPicture(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned pick = rng() % 8, c = rng() & 0xFFFFFFu;
            Set(p, x, y, pick == 0 ? kBlack : pick == 1 ? kWhite : pick == 2 ? (c | 0xFFFF00u) : c);
        }
    return p;
}

// The pictures a pass is checked on against a plain reference: noisy, one
// without no-data pixels, all white, all black and a single pixel.
inline std::vector<PicturePtr> VariedPictures() {
    return {NoisyPicture(300, 37, 7), Patterned(40, 40), Filled(5, 5, kWhite), Filled(5, 5, kBlack),
            Filled(1, 1, RGB(9, 8, 7))};
}

}  // namespace qv::testing
