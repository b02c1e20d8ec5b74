// The fast pixel passes against plain pixel-by-pixel references, on varied
// pictures and boxes: crops, oval masks, fluorogram counts and pictures,
// coefficient sums and their memo, channel histograms, area counts and the
// on-screen back-projection.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "pass_samples.h"
#include "workspace/core/area_counts.h"
#include "workspace/core/back_projection.h"
#include "workspace/core/channel_histogram.h"
#include "workspace/core/coefficients.h"
#include "workspace/core/fluorogram.h"
#include "workspace/core/roi_crop.h"
#include "workspace/core/roi_outline.h"

namespace qv {
namespace {

using testing::At;
using testing::ExpectPicture;
using testing::Filled;
using testing::Random;
using testing::Sample;
using testing::Samples;
using testing::Set;

// Whole picture, inner part, reaching outside on every side, reversed, one
// pixel wide, wholly outside.
std::vector<RoiBox> BoxesFor(const PicturePtr& p) {
    const int w = p->Width(), h = p->Height();
    return {{0, 0, w - 1, h - 1},   {w / 4, h / 3, w - 2, h - 1}, {-7, -3, w + 9, h + 4},
            {-20, h / 2, w / 2, h + 30}, {w / 2, h / 2, w / 4, h / 4}, {1, 0, 1, h - 1},
            {w + 3, h + 3, w + 40, h + 40}};
}

std::string Describe(const Sample& s, const RoiBox& b) {
    return s.name + " box " + std::to_string(b.x1) + "," + std::to_string(b.y1) + " - " +
           std::to_string(b.x2) + "," + std::to_string(b.y2);
}

bool Inside(const PicturePtr& p, int x, int y) {
    return p && x >= 0 && y >= 0 && x < p->Width() && y < p->Height();
}

// ---- references ---------------------------------------------------------------------

Color ReferenceRectangleCrop(const PicturePtr& source, const RoiBox& b, int x, int y) {
    const bool inside = x > b.x1 && x < b.x2 && y > b.y1 && y < b.y2 && Inside(source, x, y);
    return inside ? At(source, x, y) : kWhite;
}

Color ReferenceMaskedCrop(const PicturePtr& source, const PicturePtr& mask, const RoiBox& b, int x,
                          int y) {
    const bool inside = x >= b.x1 && x <= b.x2 && y >= b.y1 && y <= b.y2 &&
                        Inside(source, x, y) && Inside(mask, x, y) && At(mask, x, y) == kMaskColor;
    return inside ? At(source, x, y) : kWhite;
}

// Hits over the box with both edges, black and white pixels left out.
FluorogramCounts ReferenceCounts(const PicturePtr& crop, const ChannelPair& pair, const RoiBox& b) {
    FluorogramCounts counts;
    for (int y = b.y1; y <= b.y2; ++y)
        for (int x = b.x1; x <= b.x2; ++x) {
            if (!Inside(crop, x, y)) continue;
            const Color c = At(crop, x, y);
            if (c == kBlack || c == kWhite) continue;
            counts.Add(ChannelValue(c, pair.x), 255 - ChannelValue(c, pair.y));
        }
    return counts;
}

// The six rows over the interior of the box, white pixels left out.
OverlapCoefficients ReferenceOverlap(const PicturePtr& crop, const RoiBox& b,
                                     const CoefficientThresholds& t) {
    const Channel channels[3] = {Channel::Red, Channel::Green, Channel::Blue};
    const int thresholds[3] = {t.red, t.green, t.blue};
    const int rows[3][3] = {{-1, kRedGreen, kRedBlue}, {kGreenRed, -1, kGreenBlue}, {kBlueRed, kBlueGreen, -1}};
    OverlapCoefficients out;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (i != j) out.rows[static_cast<size_t>(rows[i][j])] = {channels[i], channels[j], 0, 0, 0};
    for (int y = b.y1 + 1; y < b.y2; ++y)
        for (int x = b.x1 + 1; x < b.x2; ++x) {
            if (!Inside(crop, x, y)) continue;
            const Color c = At(crop, x, y);
            if (c == kWhite) continue;
            int value[3];
            bool passes[3];
            for (int i = 0; i < 3; ++i) {
                const int v = ChannelValue(c, channels[i]);
                passes[i] = v > thresholds[i];
                value[i] = passes[i] ? v : 0;
            }
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) {
                    if (i == j) continue;
                    OverlapRow& row = out.rows[static_cast<size_t>(rows[i][j])];
                    row.total += value[i];
                    if (passes[j]) row.sum += value[i];
                    if (passes[i] && passes[j]) ++row.pixels;
                }
        }
    return out;
}

// A channel's bins over the box with both edges, black and white pixels left out.
HistogramBins ReferenceHistogram(const PicturePtr& crop, Channel channel, const RoiBox& b) {
    HistogramBins bins{};
    for (int y = b.y1; y <= b.y2; ++y)
        for (int x = b.x1; x <= b.x2; ++x) {
            if (!Inside(crop, x, y)) continue;
            const Color c = At(crop, x, y);
            if (c == kBlack || c == kWhite) continue;
            ++bins[static_cast<size_t>(ChannelValue(c, channel))];
        }
    return bins;
}

// Per channel above 0: pixels and their values, over the box with both edges,
// black and white pixels left out.
AreaCounts ReferenceAreas(const PicturePtr& crop, const RoiBox& b) {
    AreaCounts a;
    for (int y = b.y1; y <= b.y2; ++y)
        for (int x = b.x1; x <= b.x2; ++x) {
            if (!Inside(crop, x, y)) continue;
            const Color c = At(crop, x, y);
            if (c == kBlack || c == kWhite) continue;
            int i = 0;
            for (Channel ch : {Channel::Red, Channel::Green, Channel::Blue}) {
                const int v = ChannelValue(c, ch);
                if (v > 0) ++a.area[static_cast<size_t>(i)], a.intensity[static_cast<size_t>(i)] += v;
                ++i;
            }
        }
    return a;
}

// Whether the back-projection paints the crop's pixel (x, y): inside the box's
// interior, neither pair channel 0 with the other, red and green not both 255,
// and the pair's values inside the region.
bool ReferencePaints(const PicturePtr& crop, const RoiBox& b, const ChannelPair& pair,
                     const FluorogramRect& r, int x, int y) {
    if (!(x > b.x1 && x < b.x2 && y > b.y1 && y < b.y2) || !Inside(crop, x, y)) return false;
    const Color c = At(crop, x, y);
    const int xv = ChannelValue(c, pair.x), yv = ChannelValue(c, pair.y);
    if (xv == 0 && yv == 0) return false;
    if (ChannelValue(c, Channel::Red) == 255 && ChannelValue(c, Channel::Green) == 255) return false;
    return 255 - r.upy <= yv && yv <= 255 - r.downy && r.downx <= xv && xv <= r.upx;
}

void ExpectSameRows(const OverlapCoefficients& actual, const OverlapCoefficients& expected,
                    const std::string& what) {
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(actual.rows[i].first, expected.rows[i].first) << what << " row " << i;
        EXPECT_EQ(actual.rows[i].second, expected.rows[i].second) << what << " row " << i;
        EXPECT_EQ(actual.rows[i].sum, expected.rows[i].sum) << what << " row " << i;
        EXPECT_EQ(actual.rows[i].total, expected.rows[i].total) << what << " row " << i;
        EXPECT_EQ(actual.rows[i].pixels, expected.rows[i].pixels) << what << " row " << i;
    }
}

// ---- tests --------------------------------------------------------------------------

TEST(CorePassReferenceTest, RectangleCropsEqualThePlainCopy) {
    for (const Sample& s : Samples())
        for (const RoiBox& b : BoxesFor(s.picture))
            for (int imgsize : {s.picture->Width(), s.picture->Width() + 5, std::max(1, s.picture->Width() / 2)}) {
                const std::string what = Describe(s, b) + " imgsize " + std::to_string(imgsize);
                ExpectPicture(CropRectangle(s.picture, imgsize, b), imgsize, imgsize,
                              [&](int x, int y) { return ReferenceRectangleCrop(s.picture, b, x, y); }, what);
            }
}

TEST(CorePassReferenceTest, ReleasePicturesEqualThePlainCopyAndTheDrawing) {
    for (const Sample& s : Samples())
        for (int imgsize : {s.picture->Width(), s.picture->Width() + 5, std::max(1, s.picture->Width() / 2)}) {
            const std::string what = s.name + " imgsize " + std::to_string(imgsize);
            const auto plainCopy = [&](int x, int y) { return Inside(s.picture, x, y) ? At(s.picture, x, y) : kWhite; };
            ExpectPicture(WorkingAreaCopy(s.picture, imgsize), imgsize, imgsize, plainCopy, what);
            for (const RoiBox& b : BoxesFor(s.picture))
                for (bool oval : {false, true}) {
                    PicturePtr drawn = NewPicture(imgsize, imgsize);
                    Graphics& g = drawn->Graphics();
                    g.DrawPicture(s.picture, 0, 0);
                    g.ForeColor = RGB(255, 255, 0);
                    if (oval) g.DrawOval(b.x1, b.y1, b.x2 - b.x1, b.y2 - b.y1);
                    else g.DrawRect(b.x1, b.y1, b.x2 - b.x1, b.y2 - b.y1);
                    ExpectPicture(RoiOutline(s.picture, imgsize, oval, b), imgsize, imgsize,
                                  [&](int x, int y) { return At(drawn, x, y); },
                                  Describe(s, b) + (oval ? " oval" : " rectangle"));
                }
            for (int side : {1, 7, imgsize / 3 + 1, imgsize, imgsize + 9}) {
                const auto plainScaled = [&](int x, int y) {
                    const int sx = static_cast<int>(static_cast<long long>(x) * imgsize / side);
                    const int sy = static_cast<int>(static_cast<long long>(y) * imgsize / side);
                    return Inside(s.picture, sx, sy) ? At(s.picture, sx, sy) : kWhite;
                };
                ExpectPicture(Thumbnail(s.picture, imgsize, side), side, side, plainScaled,
                              what + " thumbnail " + std::to_string(side));
            }
        }
}

TEST(CorePassReferenceTest, OvalCropsEqualTheFilledMaskAndTheCropThroughIt) {
    for (const Sample& s : Samples())
        for (const RoiBox& b : BoxesFor(s.picture))
            for (int imgsize : {s.picture->Width(), s.picture->Width() + 5, std::max(1, s.picture->Width() / 2)}) {
                const std::string what = Describe(s, b) + " imgsize " + std::to_string(imgsize);
                const PicturePtr filled = OvalMask(imgsize, b);  // drawn by Graphics::FillOval
                const MaskedCrop made = CropOval(s.picture, imgsize, b);
                ExpectPicture(made.mask, imgsize, imgsize, [&](int x, int y) { return At(filled, x, y); },
                              what + " mask");
                ExpectPicture(made.crop, imgsize, imgsize,
                              [&](int x, int y) { return ReferenceMaskedCrop(s.picture, filled, b, x, y); },
                              what + " crop");
                ExpectPicture(CropMasked(s.picture, filled, imgsize, b), imgsize, imgsize,
                              [&](int x, int y) { return ReferenceMaskedCrop(s.picture, filled, b, x, y); },
                              what + " masked crop");
            }
    EXPECT_FALSE(CropOval(Random(4, 4, 5), 0, {0, 0, 3, 3}).crop);
    const MaskedCrop noSource = CropOval(nullptr, 6, {0, 0, 5, 5});
    ExpectPicture(noSource.crop, 6, 6, [](int, int) { return kWhite; }, "no source");
    ExpectPicture(noSource.mask, 6, 6, [&](int x, int y) { return At(OvalMask(6, {0, 0, 5, 5}), x, y); },
                  "no source mask");
}

TEST(CorePassReferenceTest, FluorogramCountsAndPicturesEqualThePlainCount) {
    for (const Sample& s : Samples())
        for (const RoiBox& b : BoxesFor(s.picture))
            for (const ChannelPair& pair : kChannelPairs) {
                const std::string what = Describe(s, b) + " " + pair.mode;
                const FluorogramCounts expected = ReferenceCounts(s.picture, pair, b);
                const Fluorogram f = BuildFluorogram(s.picture, pair, b);
                ASSERT_TRUE(f.hits) << what;
                ASSERT_TRUE(*f.hits == expected) << what;
                ExpectPicture(f.scatter, 256, 256, [&](int x, int y) {
                    return expected.At(x, y) ? pair.ScatterColor(x, y) : kBlack;
                }, what + " scatter");
                ExpectPicture(f.counts, 256, 256, [&](int x, int y) { return CountColor(expected.At(x, y)); },
                              what + " counts");
                ExpectPicture(f.density, 256, 256, [&](int x, int y) {
                    const Color g = static_cast<Color>(DensityLevel(expected.At(x, y)));
                    return (g << 16) | (g << 8) | g;
                }, what + " density");
            }
}

TEST(CorePassReferenceTest, FluorogramHitsAddToTheCountsAlreadyThere) {
    const PicturePtr p = bench::ConfocalImage(300);
    const ChannelPair& pair = kChannelPairs[0];
    const RoiBox first{0, 0, 299, 149}, second{-5, 100, 320, 299};
    FluorogramCounts counts = CountFluorogram(p, pair, first);
    AddFluorogramHits(counts, p, pair, second);
    FluorogramCounts expected = ReferenceCounts(p, pair, first);
    const FluorogramCounts more = ReferenceCounts(p, pair, second);
    for (int row = 0; row < 256; ++row)
        for (int column = 0; column < 256; ++column) expected.Add(column, row, more.At(column, row));
    EXPECT_TRUE(counts == expected);
    EXPECT_EQ(counts.Total(), expected.Total());
}

TEST(CorePassReferenceTest, CoefficientSumsEqualThePlainSums) {
    const CoefficientThresholds thresholds[] = {
        {},
        {40, 200, 0},
        {-1, 254, -1},
        {-30, 300, 77},
        {255, 255, 255},
        ThresholdsFor(QStringLiteral("bg"), true, 0, 255),
    };
    for (const Sample& s : Samples())
        for (const RoiBox& b : BoxesFor(s.picture))
            for (const CoefficientThresholds& t : thresholds) {
                const std::string what = Describe(s, b) + " thresholds " + std::to_string(t.red) + "," +
                                         std::to_string(t.green) + "," + std::to_string(t.blue);
                ExpectSameRows(ComputeOverlap(s.picture, b, t), ReferenceOverlap(s.picture, b, t), what);
            }
}

TEST(CorePassReferenceTest, CoefficientMemoComputesAfreshWhenCropBoxOrThresholdsChange) {
    const PicturePtr crop = bench::ConfocalImage(300);
    const RoiBox box{0, 0, 299, 299}, smaller{10, 10, 200, 200};
    const CoefficientThresholds t{40, 200, 0}, other{10, 10, 10};
    OverlapMemo memo;
    ExpectSameRows(memo.Compute(crop, box, t), ReferenceOverlap(crop, box, t), "first");
    ExpectSameRows(memo.Compute(crop, box, t), ReferenceOverlap(crop, box, t), "again");
    ExpectSameRows(memo.Compute(crop, smaller, t), ReferenceOverlap(crop, smaller, t), "box");
    ExpectSameRows(memo.Compute(crop, smaller, other), ReferenceOverlap(crop, smaller, other), "thresholds");

    // Pixels written in place, through the surface or through drawing.
    Set(crop, 50, 50, RGB(255, 255, 0));
    ExpectSameRows(memo.Compute(crop, smaller, other), ReferenceOverlap(crop, smaller, other), "pixel");
    crop->Graphics().ForeColor = RGB(90, 90, 90);
    crop->Graphics().FillRect(20, 20, 100, 100);
    ExpectSameRows(memo.Compute(crop, smaller, other), ReferenceOverlap(crop, smaller, other), "drawn");

    // Another crop with the same box and thresholds, and none at all.
    const PicturePtr next = Random(300, 300, 9);
    ExpectSameRows(memo.Compute(next, smaller, other), ReferenceOverlap(next, smaller, other), "next crop");
    ExpectSameRows(memo.Compute(nullptr, smaller, other), ReferenceOverlap(nullptr, smaller, other), "none");
}

TEST(CorePassReferenceTest, ChannelHistogramsEqualThePlainCount) {
    for (const Sample& s : Samples())
        for (const RoiBox& b : BoxesFor(s.picture))
            for (Channel ch : {Channel::Red, Channel::Green, Channel::Blue})
                EXPECT_EQ(CountChannel(s.picture, ch, b), ReferenceHistogram(s.picture, ch, b))
                    << Describe(s, b) << " channel " << ChannelShift(ch);
}

TEST(CorePassReferenceTest, AreaCountsEqualThePlainCount) {
    for (const Sample& s : Samples())
        for (const RoiBox& b : BoxesFor(s.picture))
            EXPECT_EQ(CountAreas(s.picture, b), ReferenceAreas(s.picture, b)) << Describe(s, b);
    // the largest sums of a working area
    const PicturePtr bright = Filled(1024, 1024, RGB(255, 255, 254));
    AreaCounts full;
    full.area = {1024 * 1024, 1024 * 1024, 1024 * 1024};
    full.intensity = {1024LL * 1024 * 255, 1024LL * 1024 * 255, 1024LL * 1024 * 254};
    EXPECT_EQ(CountAreas(bright, {0, 0, 1023, 1023}), full);
}

TEST(CorePassReferenceTest, BackProjectionEqualsThePlainPass) {
    // red and green saturated together, with any blue, besides the samples
    PicturePtr saturated = Random(70, 40, 4);
    for (int x = 0; x < 70; x += 3) Set(saturated, x, x % 40, RGB(255, 255, x));
    std::vector<Sample> samples = Samples();
    samples.push_back({"saturated", saturated});
    const FluorogramRect regions[] = {{0, 0, 255, 255}, {20, 100, 60, 180}, {128, 0, 255, 127}, {0, 0, 0, 0}};
    for (const Sample& s : samples)
        for (const RoiBox& b : BoxesFor(s.picture))
            for (const FluorogramRect& r : regions)
                for (const ChannelPair& pair : kChannelPairs) {
                    const std::string what = Describe(s, b) + " " + pair.mode + " region " +
                                             std::to_string(r.downx) + "," + std::to_string(r.downy) +
                                             " - " + std::to_string(r.upx) + "," + std::to_string(r.upy);
                    // a target narrower than the crop clips the pass too
                    const int w = std::max(1, s.picture->Width() - 3), h = s.picture->Height();
                    const PicturePtr target = Filled(w, h, RGB(1, 2, 3));
                    ASSERT_TRUE(PaintBackProjection(s.picture, *target, b, pair, r, nullptr)) << what;
                    ExpectPicture(target, w, h, [&](int x, int y) {
                        return ReferencePaints(s.picture, b, pair, r, x, y) ? kWhite : RGB(1, 2, 3);
                    }, what);
                }
}

}  // namespace
}  // namespace qv
