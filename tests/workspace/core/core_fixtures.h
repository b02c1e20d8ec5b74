#pragma once

// Small pictures for the core tests.

#include <gtest/gtest.h>

#include "platform/core/picture.h"
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

}  // namespace qv::testing
