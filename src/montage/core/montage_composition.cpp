#include "montage/core/montage_composition.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/core/color.h"

namespace qv {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

// Where red, green and blue lie in a pixel (0x00RRGGBB).
constexpr int kShiftOf[3] = {16, 8, 0};

std::uint32_t Grey(std::uint32_t v) {
    return v << 16 | v << 8 | v;
}

// A panel in grey: its channel's value in all three components.
void GreyRow(const std::uint32_t* __restrict in, std::uint32_t* __restrict out, int n, int shift) {
    for (int x = 0; x < n; ++x) out[x] = kOpaque | Grey((in[x] >> shift) & 0xFFu);
}

// A panel in its channel's own colour.
void ColourRow(const std::uint32_t* __restrict in, std::uint32_t* __restrict out, int n,
               std::uint32_t mask) {
    for (int x = 0; x < n; ++x) out[x] = kOpaque | (in[x] & mask);
}

// The merge's layers as masks: a channel's own colour comes from its layer in
// colour (`colour`, its component's bits), and the channels of the grey
// layers (`grey`, 0xFF each) add up into every component. White when a layer
// is white.
struct MergeLayers {
    std::uint32_t base = kOpaque;
    std::uint32_t colour = 0;
    std::array<std::uint32_t, 3> grey{};
};

std::uint32_t Saturated(std::uint32_t v) {
    return std::min(v, 255u);
}

void MergeRow(const std::uint32_t* __restrict in, std::uint32_t* __restrict out, int n,
              const MergeLayers& m) {
    if (m.grey == std::array<std::uint32_t, 3>{}) {  // colour layers never overlap
        for (int x = 0; x < n; ++x) out[x] = m.base | (in[x] & m.colour);
        return;
    }
    for (int x = 0; x < n; ++x) {
        const std::uint32_t p = in[x], own = p & m.colour;
        const std::uint32_t r = (p >> 16) & 0xFFu, g = (p >> 8) & 0xFFu, b = p & 0xFFu;
        const std::uint32_t grey = (r & m.grey[0]) + (g & m.grey[1]) + (b & m.grey[2]);
        out[x] = m.base | Saturated((own >> 16) + grey) << 16 |
                 Saturated(((own >> 8) & 0xFFu) + grey) << 8 | Saturated((own & 0xFFu) + grey);
    }
}

}  // namespace

std::array<int, 3> ChannelPanels(const std::array<int, 3>& channelRows) {
    std::array<int, 3> panel = {1, 2, 3};
    for (int k : {3, 1, 2}) {
        const int row = channelRows[static_cast<size_t>(k - 1)];
        if (row >= kChannelRed && row <= kChannelBlue) panel[static_cast<size_t>(row - 1)] = k;
    }
    return panel;
}

void drawtwo(const MontagePictures& pic, const MontageChoices& choices, bool fourmodetrue) {
    const PicturePtr& crop = pic[0];
    if (!crop) return;
    int w = crop->Width(), h = crop->Height();
    for (size_t k = 1; k < pic.size(); ++k) {
        if (!pic[k]) continue;
        w = std::min(w, pic[k]->Width());
        h = std::min(h, pic[k]->Height());
    }

    // Channels are drawn in the order red, green, blue, so where two share a
    // panel the later one is what the panel and its layer hold.
    const std::array<int, 3> panelOf = ChannelPanels(choices.channel);
    int held[3] = {-1, -1, -1};
    for (int c = 0; c < 3; ++c) held[panelOf[static_cast<size_t>(c)] - 1] = c;

    const int layers = fourmodetrue ? 3 : 2;  // layer 3 enters the merge only in the grid
    MergeLayers merge;
    for (int k = 0; k < layers; ++k) {
        const int c = held[k];
        if (c < 0)
            merge.base = kOpaqueWhite;
        else if (choices.mode[static_cast<size_t>(k)] == kModePhase)
            merge.grey[static_cast<size_t>(c)] = 0xFFu;
        else
            merge.colour |= 0xFFu << kShiftOf[c];
    }

    auto row = [&pic](size_t k, int y) {
        return reinterpret_cast<std::uint32_t*>(pic[k]->Image().scanLine(y));
    };
    for (int y = 0; y < h; ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(crop->Image().constScanLine(y));
        for (int k = 0; k < 3; ++k) {
            const int c = held[k];
            const size_t panel = static_cast<size_t>(k + 1);
            if (c < 0 || !pic[panel]) continue;
            if (choices.mode[static_cast<size_t>(k)] == kModeColor)
                ColourRow(src, row(panel, y), w, 0xFFu << kShiftOf[c]);
            else
                GreyRow(src, row(panel, y), w, kShiftOf[c]);
        }
        if (pic[4]) MergeRow(src, row(4, y), w, merge);
    }
}

}  // namespace qv
