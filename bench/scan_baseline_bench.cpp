// The baseline every other benchmark is read against: one plain pass over a
// picture that sums its red, green and blue bytes.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "platform/core/picture.h"

namespace {

void BM_ScanBaseline(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    qv::PicturePtr p = qv::NewPicture(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            p->RGBSurface()->SetPixel(x, y, static_cast<qv::Color>((x * 7 + y * 13) * 2654435761u));
    const QImage& img = p->Image();
    for (auto _ : state) {
        std::uint64_t total = 0;
        for (int y = 0; y < side; ++y) {
            const auto* line = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
            for (int x = 0; x < side; ++x) {
                const std::uint32_t c = line[x];
                total += ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF);
            }
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}

BENCHMARK(BM_ScanBaseline)->Arg(1024);

}  // namespace
