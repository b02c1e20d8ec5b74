// Flatten's step: one decoded frame added into the sum of the frames before
// it, polling the cancel key after each column; read against
// BM_ScanBaseline/1024 of the same run.
#include <benchmark/benchmark.h>

#include "bench_images.h"
#include "workspace/core/frame_sequence.h"

namespace {

using namespace qv;

void BM_FlattenAdd(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const PicturePtr frame = bench::ConfocalImage(side);
    // The sum of earlier frames; its values do not change the pass.
    PicturePtr sum = bench::ConfocalImage(side);
    int polls = 0;
    for (auto _ : state) {
        const bool done = AddFrame(*sum, *frame, [&] {
            ++polls;
            return false;
        });
        benchmark::DoNotOptimize(done);
        benchmark::DoNotOptimize(sum->Image().constBits());
    }
    benchmark::DoNotOptimize(polls);
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_FlattenAdd)->Arg(1024);

}  // namespace
