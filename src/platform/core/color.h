#pragma once

#include <cstdint>

namespace qv {

// A packed colour 0x00RRGGBB: red in bits 16-23, green 8-15, blue 0-7.
using Color = std::uint32_t;

// One byte of a colour component: below 0 is 0, above 255 saturates at 255,
// so a sum never spills into the neighbouring channel.
constexpr std::uint32_t ClampComponent(long long v) {
    return v < 0 ? 0u : (v > 255 ? 255u : static_cast<std::uint32_t>(v));
}

constexpr Color RGB(long long r, long long g, long long b) {
    return (ClampComponent(r) << 16) | (ClampComponent(g) << 8) | ClampComponent(b);
}

constexpr int Red(Color c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr int Green(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int Blue(Color c) { return static_cast<int>(c & 0xFF); }

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0x000000;

// White as a picture's scanlines hold it, with the opaque alpha byte the
// 32-bit format stores; passes that write rows directly fill with this.
constexpr std::uint32_t kOpaqueWhite = 0xFF000000u | kWhite;

// Hue, saturation and value each from 0 to 1.
Color HSV(double h, double s, double v);

}  // namespace qv
