#pragma once

// Text pictures of the tool windows: each control's text drawn where the
// control stands, as one line from its left edge with the baseline 10 pixels
// below its top, into a new white picture.

#include <QString>
#include <span>
#include <vector>

#include "platform/core/color.h"
#include "platform/core/picture.h"

namespace qv {

// A control as a text picture reads it, in the window's creation order.
struct TextControl {
    enum class Kind {
        Label,  // drawn in its own colour, which stays the pen's colour
        Field,  // drawn in the pen's colour of the moment
        Other,  // not drawn
    };
    Kind kind = Kind::Other;
    QString text;
    int left = 0;
    int top = 0;
    Color colour = kBlack;  // a label's text colour
};

// One text as drawn: its baseline starts at (x, baseline).
struct PictureText {
    QString text;
    int x = 0;
    int baseline = 0;
    Color colour = kBlack;
    bool operator==(const PictureText&) const = default;
};

// The texts of a walk over the controls, in order. The pen starts black.
std::vector<PictureText> TextPictureLayout(std::span<const TextControl> controls);

// A white width x height picture with the texts drawn in the default font;
// none for a picture that cannot be made.
PicturePtr DrawTextPicture(int width, int height, std::span<const PictureText> texts);

}  // namespace qv
