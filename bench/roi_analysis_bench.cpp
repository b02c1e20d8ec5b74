// The ROI analysis window's passes over a 1024 x 1024 copy of the ROI. Each is
// read against BM_ScanBaseline/1024 of the same run.
#include <benchmark/benchmark.h>

#include "bench_images.h"
#include "tools/core/roi_scan.h"
#include "tools/core/roi_views.h"

namespace {

using namespace qv;

// The eight pixel and saturation counters of a new copy.
void BM_RoiScan(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const PicturePtr copy = bench::ConfocalImage(side);
    for (auto _ : state) {
        RoiCounts c = ScanRoi(copy);
        benchmark::DoNotOptimize(c);
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_RoiScan)->Arg(1024);

// "Auto contrast": the maxima, then the stretched picture (held as the window
// holds its slot 1 until the next result replaces it).
void BM_AutoContrast(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const PicturePtr copy = bench::ConfocalImage(side);
    PicturePtr slot;
    for (auto _ : state) {
        PicturePtr p = AutoContrast(copy);
        benchmark::DoNotOptimize(p.get());
        slot = std::move(p);
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_AutoContrast)->Arg(1024);

// "Scale": the red channel through the colour ramp.
void BM_PseudoColour(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const PicturePtr copy = bench::ConfocalImage(side);
    PicturePtr slot;
    for (auto _ : state) {
        PicturePtr p = PseudoColour(copy, RoiChannel::Red);
        benchmark::DoNotOptimize(p.get());
        slot = std::move(p);
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_PseudoColour)->Arg(1024);

}  // namespace
