// The montage composition over a full 1024 x 1024 crop in the 2 x 2 grid, read
// against BM_ScanBaseline/1024 of the same run.
#include <benchmark/benchmark.h>

#include "bench_images.h"
#include "montage/core/montage_composition.h"

namespace {

using namespace qv;

// The setup window's pictures as its startup makes them, composed with the
// channels and modes it defaults to for the "rg" pair.
void BM_Montage(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    MontagePictures pic = {bench::ConfocalImage(side), NewPicture(side, side),
                           NewPicture(side, side), NewPicture(side, side),
                           NewPicture(side, side)};
    const MontageChoices choices{{kChannelGreen, kChannelRed, kChannelBlue},
                                 {kModeGray, kModeGray, kModeGray}};
    for (auto _ : state) {
        drawtwo(pic, choices, true);
        benchmark::DoNotOptimize(pic[4]->Image().constBits());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_Montage)->Arg(1024);

}  // namespace
