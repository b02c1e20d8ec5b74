#pragma once

// Per-channel areas and integrated intensities of the ROI.

#include <array>
#include <cstdint>

#include "platform/core/picture.h"
#include "workspace/core/roi_box.h"

namespace qv {

// Indexed red, green, blue.
struct AreaCounts {
    std::array<std::int64_t, 3> area{};       // data pixels with the channel above 0
    std::array<std::int64_t, 3> intensity{};  // the channel's values summed over them
    bool operator==(const AreaCounts&) const = default;
};

// One pass over the box (both edges included, clipped to the crop): every
// pixel that is neither pure black nor pure white adds, for each channel above
// 0, one to that channel's area and its value to that channel's intensity. A
// missing crop counts nothing.
AreaCounts CountAreas(const PicturePtr& crop, const RoiBox& box);

}  // namespace qv
