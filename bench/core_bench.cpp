// The workspace's pixel passes on a full 1024 x 1024 working area. Each is read
// against BM_ScanBaseline/1024 of the same run.
#include <benchmark/benchmark.h>

#include "bench_images.h"
#include "workspace/core/area_counts.h"
#include "workspace/core/coefficients.h"
#include "workspace/core/fluorogram.h"
#include "workspace/core/roi_crop.h"
#include "workspace/core/roi_outline.h"
#include "workspace/core/sections.h"
#include "workspace/working_size.h"

namespace {

using namespace qv;

RoiBox FullBox(int side) {
    return {0, 0, side - 1, side - 1};
}

// The crops are held as the workspace holds them: each new crop becomes poxc,
// the one before moves to bkpoxc and the one before that is released (and a
// new oval mask replaces polymask).
void BM_RectCrop(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const PicturePtr pix = bench::ConfocalImage(side);
    PicturePtr poxc, bkpoxc;
    for (auto _ : state) {
        PicturePtr crop = CropRectangle(pix, side, FullBox(side));
        benchmark::DoNotOptimize(crop.get());
        bkpoxc = std::move(poxc);
        poxc = std::move(crop);
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_RectCrop)->Arg(1024);

void BM_OvalCrop(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const PicturePtr pix = bench::ConfocalImage(side);
    PicturePtr polymask, poxc, bkpoxc;
    for (auto _ : state) {
        MaskedCrop made = CropOval(pix, side, FullBox(side));
        benchmark::DoNotOptimize(made.crop.get());
        polymask = std::move(made.mask);
        bkpoxc = std::move(poxc);
        poxc = std::move(made.crop);
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_OvalCrop)->Arg(1024);

void BM_Fluorogram(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const PicturePtr crop = CropRectangle(bench::ConfocalImage(side), side, FullBox(side));
    const ChannelPair& pair = *FindChannelPair("rg");
    for (auto _ : state) {
        Fluorogram f = BuildFluorogram(crop, pair, FullBox(side));
        benchmark::DoNotOptimize(f.hits.get());
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_Fluorogram)->Arg(1024);

void BM_Coefficients(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const PicturePtr crop = CropRectangle(bench::ConfocalImage(side), side, FullBox(side));
    const CoefficientThresholds t = ThresholdsFor("rg", true, 40, 200);
    for (auto _ : state) {
        OverlapCoefficients c = ComputeOverlap(crop, FullBox(side), t);
        benchmark::DoNotOptimize(c);
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_Coefficients)->Arg(1024);

// The pictures and computations of a rectangle release in quadrant mode with
// Auto Update, the quadrant calculator following live, the coefficient window
// following live with its quadrant mask and the area analyzer open: the
// outline on the working area, the crop and its thumbnail (as large as a 1024
// working area on a screen 1440 high leaves it), the coefficients for the new
// crop, the fluorogram, the quadrant sums, the coefficients again for each live
// window, all three through the workspace's memo, and the area count. Crops
// and fluorograms are kept in their one-step history as the workspace keeps them.
void BM_RoiRelease(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const PicturePtr pix = bench::ConfocalImage(side);
    const ChannelPair& pair = *FindChannelPair("rg");
    const CoefficientThresholds t = ThresholdsFor("rg", true, 40, 200);
    const int can2size = WorkingSizeFor(side, 1440, Intake::FileOpen).can2size;
    PicturePtr outline, thumbnail, poxc, bkpoxc;
    Fluorogram current, previous;
    OverlapMemo memo;
    for (auto _ : state) {
        outline = RoiOutline(pix, side, false, FullBox(side));
        PicturePtr crop = CropRectangle(pix, side, FullBox(side));
        thumbnail = Thumbnail(crop, side, can2size);
        bkpoxc = std::move(poxc);
        poxc = std::move(crop);
        OverlapCoefficients afterCrop = memo.Compute(poxc, FullBox(side), t);
        Fluorogram f = BuildFluorogram(poxc, pair, FullBox(side));
        previous = std::move(current);
        current = std::move(f);
        auto iroi = QuadrantSums(*current.hits, 40, 200);
        OverlapCoefficients forCalculator = memo.Compute(poxc, FullBox(side), t);
        OverlapCoefficients forMask = memo.Compute(poxc, FullBox(side), t);
        AreaCounts areas = CountAreas(poxc, FullBox(side));
        benchmark::DoNotOptimize(afterCrop);
        benchmark::DoNotOptimize(iroi);
        benchmark::DoNotOptimize(forCalculator);
        benchmark::DoNotOptimize(forMask);
        benchmark::DoNotOptimize(areas);
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_RoiRelease)->Arg(1024);

}  // namespace
