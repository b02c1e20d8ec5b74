// The histogram's count, the area count and the on-screen back-projection on a
// full 1024 x 1024 working area, read against BM_ScanBaseline/1024 of the same run.
#include <benchmark/benchmark.h>

#include "bench_images.h"
#include "workspace/core/area_counts.h"
#include "workspace/core/back_projection.h"
#include "workspace/core/channel_histogram.h"
#include "workspace/core/roi_crop.h"

namespace {

using namespace qv;

RoiBox FullBox(int side) {
    return {0, 0, side - 1, side - 1};
}

PicturePtr FullCrop(int side) {
    return CropRectangle(bench::ConfocalImage(side), side, FullBox(side));
}

void BM_Histogram(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const PicturePtr crop = FullCrop(side);
    for (auto _ : state) {
        HistogramBins bins = CountChannel(crop, Channel::Green, FullBox(side));
        benchmark::DoNotOptimize(bins);
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_Histogram)->Arg(1024);

void BM_Areas(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const PicturePtr crop = FullCrop(side);
    for (auto _ : state) {
        AreaCounts a = CountAreas(crop, FullBox(side));
        benchmark::DoNotOptimize(a);
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_Areas)->Arg(1024);

// The "rg" pass of a quadrant On-screen over the whole interior, polling the
// cancel key after each column, into a copy made ready before the pass.
void BM_OnScreen(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const PicturePtr crop = FullCrop(side);
    const PicturePtr painted = NewPicture(side, side);
    const FluorogramRect region = QuadrantRegion(0, 40, 200).region;
    const ChannelPair& pair = *FindChannelPair("rg");
    int polls = 0;
    for (auto _ : state) {
        const bool done = PaintBackProjection(crop, *painted, FullBox(side), pair, region, [&] {
            ++polls;
            return false;
        });
        benchmark::DoNotOptimize(done);
        benchmark::DoNotOptimize(painted->Image().constBits());
    }
    benchmark::DoNotOptimize(polls);
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_OnScreen)->Arg(1024);

}  // namespace
