// The ROI analysis window's passes against plain pixel-by-pixel references:
// counts, contrast stretch, saturation views and pseudo-colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "pass_samples.h"
#include "tools/core/roi_scan.h"
#include "tools/core/roi_views.h"

namespace qv {
namespace {

using testing::At;
using testing::ExpectPicture;
using testing::Sample;
using testing::Set;

// The shared samples and every small size up to 9 x 4, whose rows end in each
// remainder of the vector loops.
std::vector<Sample> Copies() {
    std::vector<Sample> copies = testing::Samples();
    for (int w = 1; w <= 9; ++w)
        for (int h = 1; h <= 4; ++h)
            copies.push_back({std::to_string(w) + " x " + std::to_string(h),
                              testing::Random(w, h, static_cast<unsigned>(10 * w + h))});
    return copies;
}

bool Interior(int x, int y) {
    return x >= 1 && y >= 1;
}

int Value(Color c, RoiChannel channel) {
    switch (channel) {
        case RoiChannel::Red:
            return Red(c);
        case RoiChannel::Green:
            return Green(c);
        default:
            return Blue(c);
    }
}

RoiCounts ReferenceScan(const PicturePtr& copy) {
    RoiCounts counts;
    for (int y = 1; y < copy->Height(); ++y)
        for (int x = 1; x < copy->Width(); ++x) {
            const Color c = At(copy, x, y);
            const int v[3] = {Red(c), Green(c), Blue(c)};
            for (int k = 0; k < 3; ++k) {
                if (v[k] > 0) ++counts.pixels[static_cast<size_t>(k)];
                if (v[k] == 255) ++counts.saturated[static_cast<size_t>(k)];
            }
            if (c != kBlack) ++counts.pixels[3];
            if (v[0] == 255 || v[1] == 255 || v[2] == 255) ++counts.saturated[3];
        }
    return counts;
}

const RoiChannel kChannels[] = {RoiChannel::Red, RoiChannel::Green, RoiChannel::Blue,
                                RoiChannel::Any};
const char* const kChannelNames[] = {"red", "green", "blue", "any"};

TEST(RoiPassReferenceTest, CountsEqualThePlainCount) {
    for (const Sample& s : Copies()) {
        const RoiCounts expected = ReferenceScan(s.picture);
        const RoiCounts actual = ScanRoi(s.picture);
        EXPECT_EQ(actual.pixels, expected.pixels) << s.name;
        EXPECT_EQ(actual.saturated, expected.saturated) << s.name;
    }
}

TEST(RoiPassReferenceTest, AutoContrastEqualsThePlainStretch) {
    for (const Sample& s : Copies()) {
        const PicturePtr& copy = s.picture;
        int max[3] = {0, 0, 0};
        for (int y = 1; y < copy->Height(); ++y)
            for (int x = 1; x < copy->Width(); ++x) {
                const Color c = At(copy, x, y);
                max[0] = std::max(max[0], Red(c));
                max[1] = std::max(max[1], Green(c));
                max[2] = std::max(max[2], Blue(c));
            }
        const auto stretch = [&](int v, int k) { return max[k] ? v * 255 / max[k] : 0; };
        ExpectPicture(
            AutoContrast(copy), copy->Width(), copy->Height(),
            [&](int x, int y) {
                if (!Interior(x, y)) return kWhite;
                const Color c = At(copy, x, y);
                return RGB(stretch(Red(c), 0), stretch(Green(c), 1), stretch(Blue(c), 2));
            },
            s.name);
    }
}

// Every maximum from 1 to 255, with every value up to it in each channel.
TEST(RoiPassReferenceTest, AutoContrastIsExactForEveryMaximumAndValue) {
    for (int m = 1; m <= 255; ++m) {
        PicturePtr copy = NewPicture(m + 2, 2);
        for (int v = 0; v <= m; ++v) Set(copy, v + 1, 1, RGB(v, m - v, v));
        const int top = m;
        ExpectPicture(
            AutoContrast(copy), m + 2, 2,
            [&](int x, int y) {
                if (!Interior(x, y)) return kWhite;
                const int v = x - 1;
                return RGB(v * 255 / top, (top - v) * 255 / top, v * 255 / top);
            },
            "maximum " + std::to_string(m));
    }
}

TEST(RoiPassReferenceTest, SaturationViewsAndPseudoColourEqualThePlainMaps) {
    for (const Sample& s : Copies()) {
        const PicturePtr& copy = s.picture;
        for (size_t k = 0; k < 4; ++k) {
            const RoiChannel channel = kChannels[k];
            const std::string what = s.name + " " + kChannelNames[k];
            ExpectPicture(
                SaturationView(copy, channel), copy->Width(), copy->Height(),
                [&](int x, int y) {
                    if (!Interior(x, y)) return kWhite;
                    const Color c = At(copy, x, y);
                    const bool saturated = channel == RoiChannel::Any
                                               ? Red(c) == 255 || Green(c) == 255 || Blue(c) == 255
                                               : Value(c, channel) == 255;
                    return saturated ? kWhite : c;
                },
                what + " saturation");
            ExpectPicture(
                PseudoColour(copy, channel), copy->Width(), copy->Height(),
                [&](int x, int y) {
                    if (!Interior(x, y)) return kWhite;
                    return RampColour((255 - Value(At(copy, x, y), channel)) / 255.0);
                },
                what + " pseudo-colour");
        }
    }
}

}  // namespace
}  // namespace qv
