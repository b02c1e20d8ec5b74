#pragma once

// Background removal by per-channel levels: the levels a ROI or the quadrant
// cross-point gives, and the pass that clears every channel value at or below
// its level.

#include "platform/core/picture.h"
#include "workspace/core/channel_pairs.h"
#include "workspace/core/roi_box.h"

namespace qv {

// Background levels per channel: a value at or below its channel's level is
// background. A level below 0 keeps every value of its channel.
struct BackgroundLevels {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const BackgroundLevels&) const = default;
};

// The channels a ROI removal clears (the Background page's radio buttons).
struct ChannelChoice {
    bool red = false;
    bool green = false;
    bool blue = false;
    bool Any() const { return red || green || blue; }
};

// The largest value of each channel over the box, both edges included, in the
// working copy of a picture: the side x side square with the picture in its
// top-left corner and white beyond it. The box is clipped to the square. 0 for a
// channel that is 0 throughout, and for a box without a pixel of the square.
BackgroundLevels RoiMaxima(const PicturePtr& picture, int side, const RoiBox& box);

// The levels of a ROI removal: the maxima for the chosen channels, and keep
// (below 0) for the others.
BackgroundLevels ChosenLevels(const BackgroundLevels& maxima, ChannelChoice channels);

// The levels of a removal by the quadrant cross-point (cx, cy), each clamped to
// 0..255, for a channel pair: the x-axis channel's level is cx, the y-axis
// channel's 255 - cy, and the channel outside the pair goes whatever its value
// (level 255).
BackgroundLevels CrossPointLevels(const ChannelPair& pair, int cx, int cy);

// The working copy of a picture with its background removed: a new side x side
// picture holding the picture at its own size in the top-left corner (a larger
// one cut, white beyond a smaller one), where every channel value at or below
// its level is 0. The picture itself is not touched. None for side <= 0.
PicturePtr BackgroundRemoved(const PicturePtr& picture, int side, const BackgroundLevels& levels);

}  // namespace qv
