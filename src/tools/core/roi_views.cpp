#include "tools/core/roi_views.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>

#include "platform/core/color.h"

namespace qv {

namespace {

using Table = std::array<std::uint32_t, 256>;

int Shift(RoiChannel channel) {
    switch (channel) {
        case RoiChannel::Red:
            return 16;
        case RoiChannel::Green:
            return 8;
        default:
            return 0;
    }
}

// A new picture of the copy's size, white in row 0 and column 0, whose
// interior rows are made by row(in, out, n) from the copy's interior rows (n
// pixels from column 1).
template <class Row>
PicturePtr MapInterior(const PicturePtr& copy, Row&& row) {
    if (!copy) return nullptr;
    const QImage& src = copy->Image();
    const int w = src.width(), h = src.height();
    QImage dst(w, h, QImage::Format_RGB32);  // every pixel is written below
    if (dst.isNull()) return nullptr;
    for (int y = 0; y < h; ++y) {
        auto* out = reinterpret_cast<std::uint32_t*>(dst.scanLine(y));
        if (y == 0) {
            std::fill(out, out + w, kOpaqueWhite);
            continue;
        }
        out[0] = kOpaqueWhite;
        row(reinterpret_cast<const std::uint32_t*>(src.constScanLine(y)) + 1, out + 1, w - 1);
    }
    return std::make_shared<Picture>(std::move(dst));
}

// Pixels of a row through a 256-entry table of one channel (bits Shift to
// Shift + 7).
template <int Shift>
void TableRow(const std::uint32_t* __restrict in, std::uint32_t* __restrict out, int n,
              const std::uint32_t* __restrict table) {
    for (int x = 0; x < n; ++x) out[x] = table[(in[x] >> Shift) & 0xFFu];
}

}  // namespace

PicturePtr SaturationView(const PicturePtr& copy, RoiChannel channel) {
    if (channel == RoiChannel::Any) {
        return MapInterior(
            copy, [](const std::uint32_t* __restrict in, std::uint32_t* __restrict out, int n) {
                for (int x = 0; x < n; ++x) {
                    const std::uint32_t p = in[x];
                    const bool sat = (p & 0xFF0000u) == 0xFF0000u || (p & 0xFF00u) == 0xFF00u ||
                                     (p & 0xFFu) == 0xFFu;
                    out[x] = sat ? kOpaqueWhite : p;
                }
            });
    }
    const std::uint32_t mask = 0xFFu << Shift(channel);
    return MapInterior(
        copy, [mask](const std::uint32_t* __restrict in, std::uint32_t* __restrict out, int n) {
            for (int x = 0; x < n; ++x) out[x] = (in[x] & mask) == mask ? kOpaqueWhite : in[x];
        });
}

namespace {

// The largest red, green and blue values of the copy's interior, taken over
// the bytes of the pixels (which the compiler vectorises as byte maxima).
std::array<std::uint32_t, 3> InteriorMaxima(const PicturePtr& copy) {
    const QImage& src = copy->Image();
    const int w = src.width(), h = src.height();
    std::uint8_t b = 0, g = 0, r = 0;  // a stored pixel's bytes: blue first
    for (int y = 1; y < h; ++y) {
        const std::uint8_t* q = src.constScanLine(y) + 4;  // from column 1
        for (int x = 0; x < w - 1; ++x, q += 4) {
            b = std::max(b, q[0]);
            g = std::max(g, q[1]);
            r = std::max(r, q[2]);
        }
    }
    return {r, g, b};
}

// The factor that takes a channel of maximum m to 255: 255 / m, raised by
// 1e-5, so that rounding never leaves a whole quotient such as m * (255 / m)
// just below it; every other v * 255 / m lies at least 1/255 below the next
// whole number. Truncating v * factor so gives floor(v * 255 / m) for v <= m.
float StretchFactor(std::uint32_t m) {
    return m ? 255.0f / static_cast<float>(m) * 1.00001f : 0.0f;
}

std::uint32_t Stretch(std::uint32_t v, float factor) {
    return static_cast<std::uint32_t>(
        static_cast<int>(static_cast<float>(static_cast<int>(v)) * factor));
}

}  // namespace

PicturePtr AutoContrast(const PicturePtr& copy) {
    if (!copy) return nullptr;
    const std::array<std::uint32_t, 3> max = InteriorMaxima(copy);
    const float fr = StretchFactor(max[0]), fg = StretchFactor(max[1]), fb = StretchFactor(max[2]);
    return MapInterior(
        copy, [&](const std::uint32_t* __restrict in, std::uint32_t* __restrict out, int n) {
            for (int x = 0; x < n; ++x) {
                const std::uint32_t p = in[x];
                out[x] = 0xFF000000u | Stretch((p >> 16) & 0xFFu, fr) << 16 |
                         Stretch((p >> 8) & 0xFFu, fg) << 8 | Stretch(p & 0xFFu, fb);
            }
        });
}

RampPoint Ramp(double f) {
    static const double sinK = std::sin(kRampA * 138.0 / 255.0);
    const double t = ((f * kRampA) * 138.0) / 255.0;
    RampPoint p;
    p.hue = std::sin(t);
    p.value = std::fmin(1.0, (sinK - p.hue) * 10.0);
    return p;
}

Color RampColour(double f) {
    const RampPoint p = Ramp(f);
    return HSV(p.hue, 1.0, p.value);
}

PicturePtr PseudoColour(const PicturePtr& copy, RoiChannel channel) {
    // L depends on the channel's value alone: one entry per value.
    Table t{};
    for (int v = 0; v < 256; ++v)
        t[static_cast<size_t>(v)] = 0xFF000000u | RampColour((255 - v) / 255.0);
    switch (channel) {
        case RoiChannel::Red:
            return MapInterior(
                copy, [&t](auto in, auto out, int n) { TableRow<16>(in, out, n, t.data()); });
        case RoiChannel::Green:
            return MapInterior(
                copy, [&t](auto in, auto out, int n) { TableRow<8>(in, out, n, t.data()); });
        default:
            return MapInterior(
                copy, [&t](auto in, auto out, int n) { TableRow<0>(in, out, n, t.data()); });
    }
}

PicturePtr LutBar() {
    PicturePtr bar = NewPicture(17, 170, 32);
    if (!bar) return nullptr;
    QImage& img = bar->Image();
    for (int r = 0; r < 170; ++r) {
        const std::uint32_t c = 0xFF000000u | RampColour(r / 170.0);
        auto* line = reinterpret_cast<std::uint32_t*>(img.scanLine(r));
        for (int x = 0; x < 17; ++x) line[x] = c;
    }
    return bar;
}

}  // namespace qv
