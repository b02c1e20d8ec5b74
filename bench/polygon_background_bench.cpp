// The polygon ROI's mask and crop, and a background removal, on a full
// 1024 x 1024 working area. Each is read against BM_ScanBaseline/1024 of the
// same run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "bench_images.h"
#include "workspace/core/background_removal.h"
#include "workspace/core/roi_crop.h"
#include "workspace/core/roi_rules.h"

namespace {

using namespace qv;

// A twenty-vertex star over the whole area, as clicked: x at 2k - 1, y at 2k.
std::vector<int> Star(int side) {
    std::vector<int> points{0};
    const double c = (side - 1) / 2.0;
    for (int k = 0; k < kMaxPolygonVertices; ++k) {
        const double a = k * 2 * 3.14159265358979 / kMaxPolygonVertices;
        const double r = (k % 2 ? 0.55 : 1.0) * c;
        points.push_back(static_cast<int>(std::lround(c + r * std::cos(a))));
        points.push_back(static_cast<int>(std::lround(c + r * std::sin(a))));
    }
    return points;
}

// The close of a polygon as the workspace holds its results: the new mask
// replaces polymask, the crop becomes poxc and the one before moves to bkpoxc.
void BM_PolygonCrop(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const PicturePtr pix = bench::ConfocalImage(side);
    const std::vector<int> points = Star(side);
    PicturePtr polymask, poxc, bkpoxc;
    for (auto _ : state) {
        MaskedCrop made = CropPolygon(pix, side, points);
        const RoiBox box = *PolygonBounds(points, kMaxPolygonVertices, side);
        benchmark::DoNotOptimize(made.crop.get());
        benchmark::DoNotOptimize(box);
        polymask = std::move(made.mask);
        bkpoxc = std::move(poxc);
        poxc = std::move(made.crop);
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_PolygonCrop)->Arg(1024);

// A ROI removal: the maxima of a 32 x 32 box and the "All channels" removal
// into a new working picture, which becomes pix; the picture before it, pix2.
void BM_Background(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    PicturePtr pix = bench::ConfocalImage(side), pix2;
    const RoiBox box{100, 100, 131, 131};
    const ChannelChoice all{true, true, true};
    for (auto _ : state) {
        PicturePtr copy = BackgroundRemoved(pix, side, ChosenLevels(RoiMaxima(pix, side, box), all));
        benchmark::DoNotOptimize(copy.get());
        pix2 = std::move(pix);
        pix = std::move(copy);
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_Background)->Arg(1024);

}  // namespace
