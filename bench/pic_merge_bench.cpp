// The import window's merge of a three-image PIC stack, read from memory as it
// would be from its file: the check on reopening, three plane reads and the
// merge with the first image as the grey plane. Read against
// BM_ScanBaseline/1024 of the same run.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <cstdint>

#include "biorad/core/channel_merge.h"

namespace {

using namespace qv;

QByteArray ConfocalStack(int side) {
    QByteArray bytes(76, '\0');
    bytes[0] = static_cast<char>(side & 0xFF);
    bytes[1] = static_cast<char>(side >> 8);
    bytes[2] = bytes[0];
    bytes[3] = bytes[1];
    bytes[4] = 3;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 3 * side * side; ++i) {
        seed = seed * 1664525u + 1013904223u;
        bytes.append(static_cast<char>(seed >> 24));
    }
    return bytes;
}

void BM_PicMerge(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const QByteArray bytes = ConfocalStack(side);
    const PicSource source{QStringLiteral("stack.pic"), [&bytes] { return BinaryStream::FromBytes(bytes); }};
    const PicHeader header{side, side, 3};
    PicturePtr pix;
    for (auto _ : state) {
        MergeResult r = RenderStack(source, header, QStringLiteral("XGB"));
        benchmark::DoNotOptimize(r.pix.get());
        pix = std::move(r.pix);  // the window keeps the last merge
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_PicMerge)->Arg(1024);

}  // namespace
