// The montage composition against a plain pixel-by-pixel reference, for every
// choice of the six popups in both layouts and on varied pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../../workspace/core/pass_samples.h"
#include "montage/core/montage_composition.h"

namespace qv {
namespace {

using testing::At;
using testing::Filled;
using testing::Sample;

constexpr Color kUntouched = RGB(7, 8, 9);

struct Composed {
    Color panel[3] = {kUntouched, kUntouched, kUntouched};
    Color merge = kBlack;
};

// The montage of one pixel as a user reads it: red, green and blue, in this
// order, are each drawn into their panel, grey or in their own colour, and
// into that panel's layer, in their own colour or grey for "Phase"; a panel
// that holds no channel keeps its pixel and has a white layer; the merge adds
// layers 1 and 2, and 3 in the grid, each component at most 255.
Composed Reference(Color pixel, const MontageChoices& choices, bool grid, Color kept[3]) {
    int panelOf[3] = {1, 2, 3};
    for (int k : {3, 1, 2}) {
        const int row = choices.channel[static_cast<size_t>(k - 1)];
        if (row >= kChannelRed && row <= kChannelBlue) panelOf[row - 1] = k;
    }
    Composed out;
    Color layer[3] = {kWhite, kWhite, kWhite};
    for (int k = 0; k < 3; ++k) out.panel[k] = kept[k];
    for (int c = 0; c < 3; ++c) {
        const int k = panelOf[c] - 1;
        const int v = c == 0 ? Red(pixel) : c == 1 ? Green(pixel) : Blue(pixel);
        const Color grey = RGB(v, v, v);
        const Color own = c == 0 ? RGB(v, 0, 0) : c == 1 ? RGB(0, v, 0) : RGB(0, 0, v);
        const int mode = choices.mode[static_cast<size_t>(k)];
        out.panel[k] = mode == kModeColor ? own : grey;
        layer[k] = mode == kModePhase ? grey : own;
    }
    int sum[3] = {0, 0, 0};
    for (int k = 0; k < (grid ? 3 : 2); ++k) {
        sum[0] += Red(layer[k]);
        sum[1] += Green(layer[k]);
        sum[2] += Blue(layer[k]);
    }
    out.merge = RGB(std::min(sum[0], 255), std::min(sum[1], 255), std::min(sum[2], 255));
    return out;
}

void ExpectComposed(const PicturePtr& crop, const MontageChoices& choices, bool grid,
                    const std::string& what) {
    const int w = crop->Width(), h = crop->Height();
    MontagePictures pic = {crop, Filled(w, h, kUntouched), Filled(w, h, kUntouched),
                           Filled(w, h, kUntouched), Filled(w, h, kUntouched)};
    drawtwo(pic, choices, grid);
    Color kept[3] = {kUntouched, kUntouched, kUntouched};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Composed e = Reference(At(crop, x, y), choices, grid, kept);
            for (int k = 0; k < 3; ++k)
                ASSERT_EQ(testing::Raw(pic[static_cast<size_t>(k + 1)], x, y),
                          0xFF000000u | e.panel[k])
                    << what << " panel " << k + 1 << " at " << x << "," << y;
            ASSERT_EQ(testing::Raw(pic[4], x, y), 0xFF000000u | e.merge)
                << what << " merge at " << x << "," << y;
        }
}

std::string Describe(const MontageChoices& c, bool grid) {
    std::string s = grid ? "grid" : "row";
    for (int k = 0; k < 3; ++k)
        s += " " + std::to_string(c.channel[static_cast<size_t>(k)]) + "/" +
             std::to_string(c.mode[static_cast<size_t>(k)]);
    return s;
}

// Every row of the six popups (an unknown mode row among them), both layouts,
// on a small picture with black and white among random colours.
TEST(MontageReferenceTest, EveryChoiceEqualsThePlainComposition) {
    const PicturePtr crop = testing::Random(9, 3, 7);
    const int modes[] = {kModeNone, kModeGray, kModeColor, kModePhase, 9};
    for (int c1 = 0; c1 <= 3; ++c1)
        for (int c2 = 0; c2 <= 3; ++c2)
            for (int c3 = 0; c3 <= 3; ++c3)
                for (int m1 : modes)
                    for (int m2 : modes)
                        for (int m3 : modes)
                            for (bool grid : {false, true}) {
                                const MontageChoices c{{c1, c2, c3}, {m1, m2, m3}};
                                ExpectComposed(crop, c, grid, Describe(c, grid));
                                if (::testing::Test::HasFatalFailure()) return;
                            }
}

// The shared pictures through the choices a user most often makes.
TEST(MontageReferenceTest, VariedPicturesEqualThePlainComposition) {
    const struct {
        MontageChoices choices;
        bool grid;
    } cases[] = {
        {{{0, 0, 0}, {0, 0, 0}}, true},
        {{{kChannelGreen, kChannelRed, kChannelBlue}, {kModeGray, kModeGray, kModeGray}}, true},
        {{{kChannelRed, kChannelBlue, kChannelGreen}, {kModeColor, kModePhase, kModeGray}}, false},
        {{{kChannelBlue, kChannelGreen, kChannelRed}, {kModePhase, kModeColor, kModePhase}}, true},
        {{{kChannelRed, kChannelRed, 0}, {kModeGray, kModePhase, kModeColor}}, true},
    };
    for (const Sample& s : testing::Samples())
        for (const auto& c : cases) {
            ExpectComposed(s.picture, c.choices, c.grid,
                           s.name + " " + Describe(c.choices, c.grid));
            if (::testing::Test::HasFatalFailure()) return;
        }
}

}  // namespace
}  // namespace qv
