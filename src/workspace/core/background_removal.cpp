#include "workspace/core/background_removal.h"

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <memory>

#include "platform/core/color.h"

namespace qv {

namespace {

int& LevelOf(BackgroundLevels& l, Channel c) {
    return c == Channel::Red ? l.red : (c == Channel::Green ? l.green : l.blue);
}

// The bits of a pixel a channel keeps: its byte when the value is above the level.
inline std::uint32_t Kept(std::uint32_t c, int shift, int level) {
    const int v = static_cast<int>((c >> shift) & 0xFFu);
    return v > level ? (0xFFu << shift) : 0u;
}

inline std::uint32_t Removed(std::uint32_t c, int red, int green, int blue) {
    return c & (0xFF000000u | Kept(c, 16, red) | Kept(c, 8, green) | Kept(c, 0, blue));
}

}  // namespace

BackgroundLevels RoiMaxima(const PicturePtr& picture, int side, const RoiBox& box) {
    BackgroundLevels m;
    const PixelRange square = ClipBox(box, side, side);
    if (square.Empty()) return m;
    const int w = picture ? picture->Width() : 0, h = picture ? picture->Height() : 0;
    const PixelRange r = ClipBox(box, std::min(w, side), std::min(h, side));
    if (r.Count() < square.Count()) return {255, 255, 255};  // white beyond the picture
    std::uint32_t red = 0, green = 0, blue = 0;
    const QImage& image = picture->Image();
    for (int y = r.top; y < r.bottom; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = r.left; x < r.right; ++x) {
            const std::uint32_t c = line[x];
            red = std::max(red, (c >> 16) & 0xFFu);
            green = std::max(green, (c >> 8) & 0xFFu);
            blue = std::max(blue, c & 0xFFu);
        }
    }
    m.red = static_cast<int>(red);
    m.green = static_cast<int>(green);
    m.blue = static_cast<int>(blue);
    return m;
}

BackgroundLevels ChosenLevels(const BackgroundLevels& maxima, ChannelChoice channels) {
    return {channels.red ? maxima.red : -1, channels.green ? maxima.green : -1,
            channels.blue ? maxima.blue : -1};
}

BackgroundLevels CrossPointLevels(const ChannelPair& pair, int cx, int cy) {
    BackgroundLevels l{255, 255, 255};
    LevelOf(l, pair.x) = std::clamp(cx, 0, 255);
    LevelOf(l, pair.y) = 255 - std::clamp(cy, 0, 255);
    return l;
}

PicturePtr BackgroundRemoved(const PicturePtr& picture, int side, const BackgroundLevels& levels) {
    if (side <= 0) return nullptr;
    QImage out(side, side, QImage::Format_RGB32);  // every pixel is written below
    if (out.isNull()) return nullptr;
    const int red = levels.red, green = levels.green, blue = levels.blue;
    const std::uint32_t white = Removed(kOpaqueWhite, red, green, blue);
    const int w = picture ? std::min(side, picture->Width()) : 0;
    const int h = picture ? std::min(side, picture->Height()) : 0;
    const QImage* in = picture ? &picture->Image() : nullptr;
    uchar* base = out.bits();
    const qsizetype stride = out.bytesPerLine();
    for (int y = 0; y < side; ++y) {
        auto* o = reinterpret_cast<std::uint32_t*>(base + y * stride);
        int x = 0;
        if (y < h) {
            const auto* s = reinterpret_cast<const std::uint32_t*>(in->constScanLine(y));
            for (; x < w; ++x) o[x] = Removed(s[x] | 0xFF000000u, red, green, blue);
        }
        std::fill(o + x, o + side, white);
    }
    return std::make_shared<Picture>(std::move(out));
}

}  // namespace qv
