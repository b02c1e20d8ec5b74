#pragma once

// Exact hit counts of the 256 x 256 fluorogram bins.

#include <array>
#include <cstdint>
#include <memory>

#include "platform/core/picture.h"
#include "workspace/core/channel_pairs.h"
#include "workspace/core/roi_box.h"

namespace qv {

// One 32-bit hit count per fluorogram bin, in fluorogram coordinates: column =
// x-axis intensity, row = 255 - y-axis intensity. A new set counts 0 everywhere.
// The counts picture pox2 is drawn from this set and cannot hold more than
// 65,535 per bin; every count the workspace shows is read from here.
class FluorogramCounts {
  public:
    static constexpr int kSide = 256;

    // Hits of bin (column, row); 0 outside 0..255.
    std::uint32_t At(int column, int row) const {
        if (column < 0 || column >= kSide || row < 0 || row >= kSide) return 0;
        return bins_[Index(column, row)];
    }
    // Adds n hits to bin (column, row); nothing outside 0..255.
    void Add(int column, int row, std::uint32_t n = 1) {
        if (column < 0 || column >= kSide || row < 0 || row >= kSide) return;
        bins_[Index(column, row)] += n;
    }
    // Sum of all bins: the number of data pixels counted.
    std::int64_t Total() const;

    // Row-major bins, bin (column, row) at row * 256 + column.
    const std::uint32_t* Data() const { return bins_.data(); }
    std::uint32_t* Data() { return bins_.data(); }

    bool operator==(const FluorogramCounts&) const = default;

  private:
    static constexpr int Index(int column, int row) { return row * kSide + column; }
    std::array<std::uint32_t, kSide * kSide> bins_{};
};

// A counts set is shared by reference with the pictures drawn from it.
using FluorogramCountsPtr = std::shared_ptr<const FluorogramCounts>;

// Counts the data pixels of the box (both edges included, clipped to the crop)
// for a channel pair: each pixel that is neither pure black nor pure white adds
// one hit to bin (x-channel value, 255 - y-channel value). Positions outside the
// crop count as no-data; a missing crop counts nothing.
FluorogramCounts CountFluorogram(const PicturePtr& crop, const ChannelPair& pair,
                                 const RoiBox& box);

// The same pass, adding its hits to an existing set.
void AddFluorogramHits(FluorogramCounts& counts, const PicturePtr& crop, const ChannelPair& pair,
                       const RoiBox& box);

}  // namespace qv
