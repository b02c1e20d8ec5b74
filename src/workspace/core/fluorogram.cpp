#include "workspace/core/fluorogram.h"

#include <QImage>
#include <cstdint>
#include <memory>

namespace qv {

namespace {

constexpr int kSide = FluorogramCounts::kSide;

// A 256 x 256 picture with every pixel set from its bin's count.
template <typename ColorOf>
PicturePtr BinPicture(const FluorogramCounts& counts, ColorOf colorOf) {
    QImage image(kSide, kSide, QImage::Format_RGB32);
    if (image.isNull()) return nullptr;
    const std::uint32_t* bins = counts.Data();
    for (int row = 0; row < kSide; ++row) {
        auto* out = reinterpret_cast<std::uint32_t*>(image.scanLine(row));
        const std::uint32_t* in = bins + row * kSide;
        for (int column = 0; column < kSide; ++column)
            out[column] = 0xFF000000u | colorOf(in[column], column, row);
    }
    return std::make_shared<Picture>(std::move(image));
}

}  // namespace

PicturePtr ScatterPicture(const FluorogramCounts& counts, const ChannelPair& pair) {
    return BinPicture(counts, [&pair](std::uint32_t k, int column, int row) {
        return k ? pair.ScatterColor(column, row) : kBlack;
    });
}

PicturePtr CountPicture(const FluorogramCounts& counts) {
    return BinPicture(counts, [](std::uint32_t k, int, int) { return CountColor(k); });
}

PicturePtr DensityPicture(const FluorogramCounts& counts) {
    return BinPicture(counts, [](std::uint32_t k, int, int) {
        const Color g = static_cast<Color>(DensityLevel(k));
        return (g << 16) | (g << 8) | g;
    });
}

Fluorogram BuildFluorogram(const PicturePtr& crop, const ChannelPair& pair, const RoiBox& box) {
    auto hits = std::make_shared<FluorogramCounts>();
    AddFluorogramHits(*hits, crop, pair, box);
    Fluorogram f;
    f.scatter = ScatterPicture(*hits, pair);
    f.counts = CountPicture(*hits);
    f.density = DensityPicture(*hits);
    f.hits = std::move(hits);
    return f;
}

}  // namespace qv
