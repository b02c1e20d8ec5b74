#pragma once

// The fluorogram of a ROI crop: its exact bin counts and the three 256 x 256
// pictures drawn from them.

#include "platform/core/picture.h"
#include "workspace/core/channel_pairs.h"
#include "workspace/core/fluorogram_counts.h"
#include "workspace/core/roi_box.h"

namespace qv {

// One fluorogram: the three pictures and the exact counts they were drawn from.
// The four belong together; the workspace keeps, swaps and restores them as one
// set so that counts read after a swap match the pictures shown.
struct Fluorogram {
    PicturePtr scatter;        // pox: pair colour at every hit bin, black elsewhere
    PicturePtr counts;         // pox2: hits as red = high byte, green = low byte
    PicturePtr density;        // pox3: grey level advancing by 4 per hit
    FluorogramCountsPtr hits;  // the exact counts
};

// Grey level of pox3 after k hits: (255 + 4k) mod 256, so white (255) for no hit,
// 3 after one, 251 after 63, white again after 64.
constexpr int DensityLevel(std::uint32_t k) {
    return static_cast<int>((255u + 4u * k) & 0xFFu);
}

// The pox2 pixel of a bin with k hits: RGB(k / 256, k mod 256, 0) up to 65,535;
// larger counts saturate at RGB(255, 255, 0).
constexpr Color CountColor(std::uint32_t k) {
    const std::uint32_t s = k > 0xFFFFu ? 0xFFFFu : k;
    return ((s >> 8) << 16) | ((s & 0xFFu) << 8);
}

// pox: black, with ChannelPair::ScatterColor at every bin holding a hit.
PicturePtr ScatterPicture(const FluorogramCounts& counts, const ChannelPair& pair);
// pox2: CountColor of every bin.
PicturePtr CountPicture(const FluorogramCounts& counts);
// pox3: grey DensityLevel of every bin.
PicturePtr DensityPicture(const FluorogramCounts& counts);

// The whole fluorogram of a pair over the box of the crop (both edges included,
// clipped): one counting pass, then the three pictures.
Fluorogram BuildFluorogram(const PicturePtr& crop, const ChannelPair& pair, const RoiBox& box);

}  // namespace qv
