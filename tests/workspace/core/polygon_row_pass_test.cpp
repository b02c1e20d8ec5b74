#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core_fixtures.h"
#include "polygon_flood_reference.h"
#include "workspace/core/roi_crop.h"
#include "workspace/core/roi_rules.h"

namespace qv {
namespace {

using testing::Patterned;

// The number of pixels where two pictures differ (all of them when a size differs).
int Differences(const PicturePtr& a, const PicturePtr& b) {
    if (!a || !b || a->Width() != b->Width() || a->Height() != b->Height()) return 1 << 30;
    int d = 0;
    for (int y = 0; y < a->Height(); ++y)
        for (int x = 0; x < a->Width(); ++x)
            d += (a->Image().pixel(x, y) | 0xFF000000u) != (b->Image().pixel(x, y) | 0xFF000000u);
    return d;
}

struct Shapes {
    unsigned seed;
    int Next(int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(range));
    }
};

void Compare(const std::vector<int>& v, int side, const PicturePtr& source, const std::string& what,
             int* checked) {
    SCOPED_TRACE(what);
    const PicturePtr expected = test::flood::PolygonMask(side, v);
    EXPECT_EQ(Differences(PolygonMask(side, v), expected), 0);
    const int n = static_cast<int>(v.size() - 1) / 2;
    const MaskedCrop made = CropPolygon(source, side, v);
    EXPECT_EQ(Differences(made.mask, expected), 0);
    if (const auto box = PolygonBounds(v, n, side)) {
        EXPECT_EQ(Differences(made.crop, CropMasked(source, expected, side, *box)), 0);
    }
    ++*checked;
}

TEST(PolygonRowPassTest, GivesTheFloodsMaskAndCropForEveryKindOfPolygon) {
    Shapes r{2024};
    int checked = 0;
    const PicturePtr sources[] = {Patterned(90, 90), Patterned(50, 70), Patterned(130, 40)};
    for (int round = 0; round < 4000; ++round) {
        const int side = 20 + r.Next(70);
        const PicturePtr& source = sources[round % 3];
        const int n = 1 + r.Next(20);
        std::vector<int> v{0};
        const int kind = round % 6;
        const int c = side / 2;
        for (int k = 0; k < n; ++k) {
            int x = 0, y = 0;
            if (kind == 0) {  // anywhere in the picture: crossing itself
                x = r.Next(side), y = r.Next(side);
            } else if (kind == 1) {  // star-shaped, thin spikes
                const double a = 6.283185307179586 * (k + r.Next(90) / 100.0) / n;
                const double radius = k % 2 ? 1 + r.Next(4) : 5 + r.Next(side / 2);
                x = c + static_cast<int>(std::lround(radius * std::cos(a)));
                y = c + static_cast<int>(std::lround(radius * std::sin(a)));
            } else if (kind == 2) {  // reaching beyond the picture on any side
                x = r.Next(3 * side) - side, y = r.Next(3 * side) - side;
            } else if (kind == 3) {  // few distinct places: repeated vertices, lines, needles
                x = c + 3 * (r.Next(5) - 2), y = c + 4 * (r.Next(5) - 2);
            } else if (kind == 4) {  // a comb: teeth and slits a pixel or two wide
                const int half = (n + 1) / 2;
                x = 2 + (k < half ? k : n - 1 - k) * (1 + r.Next(3));
                y = k < half ? (k % 2 ? 2 : side - 3) : side / 2 + r.Next(3);
            } else {  // steep and flat edges of every slope from a few corners
                x = r.Next(4) * (side - 1) / 3 + r.Next(3) - 1;
                y = r.Next(4) * (side - 1) / 3 + r.Next(3) - 1;
            }
            v.push_back(x);
            v.push_back(y);
        }
        Compare(v, side, source, "round " + std::to_string(round), &checked);
        if (::testing::Test::HasFailure()) break;
    }
    for (int side : {1, 2, 3})
        for (int x = -1; x <= side; ++x)
            Compare({0, x, 0, side - 1 - x, side, 0, side - 1}, side, sources[0],
                    "tiny " + std::to_string(side), &checked);
    Compare({0}, 30, sources[0], "no vertex", &checked);
    EXPECT_GT(checked, 4000);
}

}  // namespace
}  // namespace qv
