#include "workspace/core/frame_sequence.h"

#include <QImage>
#include <algorithm>
#include <cstdint>

#include "platform/text.h"
#include "workspace/core/row_bands.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qv {

namespace {

// Columns added together, row by row, between two rounds of polls.
constexpr int kBand = 512;

constexpr std::uint32_t kOpaqueWhite = 0xFFFFFFFFu;

// Each byte of a plus the same byte of b, saturating at 0xFF.
inline std::uint32_t AddBytesSaturated(std::uint32_t a, std::uint32_t b) {
    const std::uint32_t low = (a & 0x7F7F7F7Fu) + (b & 0x7F7F7F7Fu);  // no carry leaves a byte
    const std::uint32_t carries = ((a & b) | ((a | b) & low)) & 0x80808080u;
    const std::uint32_t sum = low ^ ((a ^ b) & 0x80808080u);
    return sum | ((carries >> 7) * 0xFFu);
}

// to[x] += from[x] for left <= x < right.
void AddRow(std::uint32_t* to, const std::uint32_t* from, int left, int right) {
    int x = left;
#if defined(__SSE2__)
    for (; x + 4 <= right; x += 4) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + x));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x), _mm_adds_epu8(a, b));
    }
#endif
    for (; x < right; ++x) to[x] = AddBytesSaturated(to[x], from[x]);
}

}  // namespace

QString FrameCounter(int actualframe, int nbilds) {
    return Str(actualframe + 1) + QLatin1Char('/') + Str(nbilds + 1);
}

bool AddFrame(Picture& sum, const Picture& frame, const std::function<bool()>& cancelled) {
    QImage& out = sum.Image();
    const QImage& in = frame.Image();
    const int width = out.width(), height = out.height();
    // The frame's part of the sum; the rest of the sum is added white.
    const int fw = std::min(width, in.width()), fh = std::min(height, in.height());
    uchar* outBits = out.bits();
    const uchar* inBits = in.constBits();
    const qsizetype outStride = out.bytesPerLine(), inStride = in.bytesPerLine();
    return ForEachPolledColumnBand(0, width, kBand, cancelled, [&](int left, int right) {
        const int inside = std::clamp(fw, left, right);
        ForEachRowBand(0, height, right - left, [&](int, int first, int last) {
            for (int y = first; y < last; ++y) {
                auto* to = reinterpret_cast<std::uint32_t*>(outBits + y * outStride);
                if (y < fh) {
                    AddRow(to, reinterpret_cast<const std::uint32_t*>(inBits + y * inStride), left,
                           inside);
                    std::fill(to + inside, to + right, kOpaqueWhite);
                } else {
                    std::fill(to + left, to + right, kOpaqueWhite);
                }
            }
        });
    });
}

}  // namespace qv
