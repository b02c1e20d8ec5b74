#pragma once

// The montage's panels and merge, composed from the ROI crop by the rows
// chosen on the setup window's "Channels" page.

#include <array>

#include "platform/core/picture.h"

namespace qv {

// Rows of the channel popup of a panel.
enum MontageChannelRow { kChannelNone = 0, kChannelRed = 1, kChannelGreen = 2, kChannelBlue = 3 };
// Rows of the mode popup of a panel; every row but these follows kModeGray.
enum MontageModeRow { kModeNone = 0, kModeGray = 1, kModeColor = 2, kModePhase = 3 };

// The six popups of the "Channels" page: channel[k] and mode[k] are the
// ListIndex of the channel and mode popups of panel k + 1.
struct MontageChoices {
    std::array<int, 3> channel{};
    std::array<int, 3> mode{};
};

// pic(0) the crop, the only input; pic(1)..pic(3) the channel panels; pic(4)
// the merge.
using MontagePictures = std::array<PicturePtr, 5>;

// The panel (1 to 3) that red, green and blue are drawn into. They start on
// panels 1, 2 and 3; then the channel popups of panels 3, 1 and 2, in that
// order, each move the channel they name to their own panel, so a later popup
// wins over an earlier one. Two channels may end on one panel.
std::array<int, 3> ChannelPanels(const std::array<int, 3>& channelRows);

// Composes the montage in place. Each channel, in the order red, green, blue,
// is drawn into its panel, grey (v, v, v) or in its own pure colour ("Color"),
// and into that panel's merge layer, in pure colour or grey ("Phase"); where
// two channels share a panel the later one is what it holds. A panel without
// a channel keeps its pixels and contributes a white layer. The merge is the
// sum of layers 1 and 2, plus layer 3 in the four-panel layout, each
// component saturating at 255. Every pass stays inside all five pictures; a
// missing crop composes nothing and a missing panel or merge is skipped.
void drawtwo(const MontagePictures& pic, const MontageChoices& choices, bool fourmodetrue);

}  // namespace qv
