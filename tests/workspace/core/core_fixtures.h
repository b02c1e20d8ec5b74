#pragma once

// Small pictures for the core tests.

#include "platform/picture.h"

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

}  // namespace qv::testing
