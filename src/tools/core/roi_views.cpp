#include "tools/core/roi_views.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// A new white picture of the copy's size whose interior rows are made by
// row(in, out, n) from the copy's interior rows (n pixels from column 1).
template <class Row>
PicturePtr MapInterior(const PicturePtr& copy, Row&& row) {
    if (!copy) return nullptr;
    PicturePtr out = NewPicture(copy->Width(), copy->Height(), 32);
    if (!out) return nullptr;
    const QImage& src = copy->Image();
    QImage& dst = out->Image();
    const int w = src.width(), h = src.height();
    for (int y = 1; y < h; ++y)
        row(reinterpret_cast<const std::uint32_t*>(src.constScanLine(y)) + 1,
            reinterpret_cast<std::uint32_t*>(dst.scanLine(y)) + 1, w - 1);
    return out;
}

// Pixels of a row through a 256-entry table of one channel (bits Shift to
// Shift + 7). Kept scalar: the vectoriser's emulated gathers are several times
// slower than plain loads here.
template <int Shift>
__attribute__((optimize("no-tree-vectorize"))) void TableRow(
    const std::uint32_t* __restrict in, std::uint32_t* __restrict out, int n,
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
                    out[x] = sat ? 0xFFFFFFFFu : p;
                }
            });
    }
    const std::uint32_t mask = 0xFFu << Shift(channel);
    return MapInterior(
        copy, [mask](const std::uint32_t* __restrict in, std::uint32_t* __restrict out, int n) {
            for (int x = 0; x < n; ++x) out[x] = (in[x] & mask) == mask ? 0xFFFFFFFFu : in[x];
        });
}

namespace {

// The largest red, green and blue values of the copy's interior. The bytes are
// taken sixteen at a time (four pixels), each lane keeping its own maximum.
std::array<std::uint32_t, 3> InteriorMaxima(const PicturePtr& copy) {
    std::array<std::uint8_t, 16> lanes{};
    const QImage& src = copy->Image();
    const int w = src.width(), h = src.height();
    for (int y = 1; y < h; ++y) {
        const auto* b = src.constScanLine(y) + 4;  // from column 1
        const int bytes = (w - 1) * 4;
        int i = 0;
#ifdef __SSE2__
        __m128i acc = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lanes.data()));
        for (; i + 16 <= bytes; i += 16)
            acc = _mm_max_epu8(acc, _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(lanes.data()), acc);
#endif
        for (; i < bytes; ++i) lanes[i % 16] = std::max(lanes[i % 16], b[i]);
    }
    // Byte 0 of a stored pixel is blue, 1 green, 2 red.
    std::array<std::uint32_t, 3> rgb{};
    for (int k = 0; k < 16; ++k) {
        const int byte = k % 4;
        if (byte == 3) continue;
        std::uint32_t& m = rgb[static_cast<size_t>(2 - byte)];
        m = std::max<std::uint32_t>(m, lanes[k]);
    }
    return rgb;
}

// Each channel of a row through its own table. Like TableRow it is kept
// scalar: emulated gathers are several times slower than plain loads.
__attribute__((optimize("no-tree-vectorize"))) void StretchRow(const std::uint32_t* __restrict in,
                                                               std::uint32_t* __restrict out, int n,
                                                               const std::uint32_t* __restrict tr,
                                                               const std::uint32_t* __restrict tg,
                                                               const std::uint32_t* __restrict tb) {
    for (int x = 0; x < n; ++x) {
        const std::uint32_t p = in[x];
        out[x] = tr[(p >> 16) & 0xFFu] | tg[(p >> 8) & 0xFFu] | tb[p & 0xFFu];
    }
}

}  // namespace

PicturePtr AutoContrast(const PicturePtr& copy) {
    if (!copy) return nullptr;
    const std::array<std::uint32_t, 3> max = InteriorMaxima(copy);
    // One table per channel, already shifted into place: v * 255 / max in
    // integers, so the maximum itself always lands on 255.
    auto stretch = [](std::uint32_t m, int shift) {
        Table t{};
        for (std::uint32_t v = 0; v < 256; ++v) t[v] = (m ? v * 255u / m : 0u) << shift;
        return t;
    };
    Table tr = stretch(max[0], 16);
    const Table tg = stretch(max[1], 8), tb = stretch(max[2], 0);
    for (std::uint32_t& e : tr) e |= 0xFF000000u;
    return MapInterior(copy, [&](auto in, auto out, int n) {
        StretchRow(in, out, n, tr.data(), tg.data(), tb.data());
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
