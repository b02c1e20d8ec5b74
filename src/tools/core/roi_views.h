#pragma once

// The ROI analysis window's views of its copy of the ROI: saturated pixels
// shown white, the automatic contrast stretch and the pseudo-colour scale with
// its colour ramp. Each builds a new white picture of the copy's size and
// fills only the copy's interior (columns and rows from 1), leaving the copy
// itself untouched.

#include "platform/core/color.h"
#include "platform/core/picture.h"

namespace qv {

// The channel a view or a scale reads.
enum class RoiChannel { Red, Green, Blue, Any };

// The copy with every interior pixel that is saturated in the channel (value
// 255; for Any in one of the three channels) painted white.
PicturePtr SaturationView(const PicturePtr& copy, RoiChannel channel);

// Each channel stretched so that its interior maximum becomes 255: a value v
// of a channel with maximum m becomes floor(v * 255 / m); a channel whose
// maximum is 0 stays 0.
PicturePtr AutoContrast(const PicturePtr& copy);

// The pseudo-colour ramp's constant: a quarter turn written out to ten digits.
constexpr double kRampA = 1.570796325;

// A point of the colour ramp L(f), f from 0 to 1: hue = sin(f * A * 138 / 255),
// value = min(1, (sin(A * 138 / 255) - hue) * 10), full saturation.
struct RampPoint {
    double hue = 0;
    double value = 0;
};
RampPoint Ramp(double f);
Color RampColour(double f);

// Every interior pixel coloured by L((255 - v) / 255) of its value v in one
// channel (Red, Green or Blue; Any reads as Blue).
PicturePtr PseudoColour(const PicturePtr& copy, RoiChannel channel);

// The 17 x 170 bar of the ramp: row r has L(r / 170).
PicturePtr LutBar();

}  // namespace qv
