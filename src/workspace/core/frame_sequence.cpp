#include "workspace/core/frame_sequence.h"

#include <QImage>
#include <algorithm>
#include <cstdint>

#include "platform/core/color.h"
#include "platform/core/text.h"
#include "workspace/core/row_bands.h"

namespace qv {

namespace {

// Columns added together, row by row, between two rounds of polls.
constexpr int kBand = 512;

// to[x] += from[x] for left <= x < right, each byte saturating at 0xFF (the
// alpha bytes are 0xFF on both sides and stay so).
void AddRow(std::uint32_t* to, const std::uint32_t* from, int left, int right) {
    auto* a = reinterpret_cast<std::uint8_t*>(to + left);
    const auto* b = reinterpret_cast<const std::uint8_t*>(from + left);
    const int n = (right - left) * 4;
    for (int i = 0; i < n; ++i) a[i] = static_cast<std::uint8_t>(std::min(a[i] + b[i], 255));
}

}  // namespace

QString FrameCounter(int actualframe, int nbilds) {
    return Str(actualframe + 1) + QLatin1Char('/') + Str(nbilds + 1);
}

QString FramesLeftOut(int given, int kept) {
    return QStringLiteral("Only the first %1 of the %2 frames were taken: a frame list holds at "
                          "most %1 frames.")
        .arg(Str(kept), Str(given));
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
