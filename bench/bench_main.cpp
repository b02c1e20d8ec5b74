#include <benchmark/benchmark.h>

#include "platform/core/picture.h"

// The program's own start: pictures' memory is kept as it keeps it.
int main(int argc, char** argv) {
    qv::KeepPictureMemory();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
