#pragma once

// The three channel pairs a fluorogram can be built for, as data.

#include <QString>
#include <array>

#include "platform/core/color.h"

namespace qv {

enum class Channel { Red, Green, Blue };

// Bit position of a channel in a packed colour 0x00RRGGBB.
constexpr int ChannelShift(Channel c) {
    return c == Channel::Red ? 16 : (c == Channel::Green ? 8 : 0);
}

// The channel's value (0..255) in a packed colour.
constexpr int ChannelValue(Color c, Channel ch) {
    return static_cast<int>((c >> ChannelShift(ch)) & 0xFFu);
}

struct AxisLabel {
    const char* text;
    Color color;
};

struct ChannelPair {
    const char* mode;      // colormode: "rg", "rb", "bg"
    const char* popupRow;  // row text of colorModemenu
    Channel x;             // x axis: fluorogram column = x-channel value
    Channel y;             // y axis: fluorogram row = 255 - y-channel value
    AxisLabel yLabel;      // staticText1
    AxisLabel xLabel;      // StaticText2

    // The scatter colour of bin (column, row): the pair's two channels at the
    // bin's intensities, the third channel 0.
    constexpr Color ScatterColor(int column, int row) const {
        return (static_cast<Color>(column & 0xFF) << ChannelShift(x)) |
               (static_cast<Color>((255 - row) & 0xFF) << ChannelShift(y));
    }
};

// The pairs in the order of colorModemenu's rows: "Red - Green", "Red - Blue",
// "Blue - Green".
inline constexpr std::array<ChannelPair, 3> kChannelPairs = {{
    {"rg",
     "Red - Green",
     Channel::Green,
     Channel::Red,
     {"Red", RGB(128, 0, 0)},
     {"Green", RGB(0, 128, 0)}},
    {"rb",
     "Red - Blue",
     Channel::Blue,
     Channel::Red,
     {"Red", RGB(128, 0, 0)},
     {"Blue", RGB(0, 0, 128)}},
    {"bg",
     "Blue - Green",
     Channel::Green,
     Channel::Blue,
     {"Blue", RGB(0, 0, 128)},
     {"Green", RGB(0, 128, 0)}},
}};

// The pair of a colormode text ("rg", "rb", "bg", compared exactly and in this
// order); none for any other text.
const ChannelPair* FindChannelPair(const QString& mode);

}  // namespace qv
