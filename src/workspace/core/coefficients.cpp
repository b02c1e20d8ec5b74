#include "workspace/core/coefficients.h"

#include <QImage>
#include <algorithm>
#include <vector>

#include "platform/core/text.h"
#include "workspace/core/row_bands.h"

namespace qv {

namespace {

void SetThreshold(CoefficientThresholds& t, Channel c, int v) {
    (c == Channel::Red ? t.red : (c == Channel::Green ? t.green : t.blue)) = v;
}

// Above 255 nothing passes and below -1 everything does, so a threshold can be
// narrowed to -1..255 without changing a result.
int Narrow(int t) {
    return std::clamp(t, -1, 255);
}

// The twelve sums of a pass: per channel the kept values, per ordered pair the
// kept values of the first where the second passes, per pair the pixels where
// both pass.
template <typename T>
struct Sums {
    T tr = 0, tg = 0, tb = 0;
    T rg = 0, rb = 0, gr = 0, gb = 0, br = 0, bg = 0;
    T nrg = 0, nrb = 0, ngb = 0;

    template <typename U>
    void Add(const Sums<U>& p) {
        tr += p.tr, tg += p.tg, tb += p.tb;
        rg += p.rg, rb += p.rb, gr += p.gr, gb += p.gb, br += p.br, bg += p.bg;
        nrg += p.nrg, nrb += p.nrb, ngb += p.ngb;
    }
};

// At most this many pixels are summed in 32-bit lanes: 4096 * 255 fits 32 bits.
constexpr int kStretch = 4096;

// Adds the sums of rows first <= y < last, columns left <= x < right, to `out`.
void SumRows(const QImage& image, int left, int right, int first, int last, int thr, int thg,
             int thb, Sums<std::int64_t>& out) {
    Sums<std::int64_t> total;
    for (int y = first; y < last; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x0 = left; x0 < right; x0 += kStretch) {
            const int x1 = std::min(right, x0 + kStretch);
            Sums<std::uint32_t> p;
            for (int x = x0; x < x1; ++x) {
                const std::uint32_t c = line[x] & 0xFFFFFFu;
                const std::uint32_t data = c != 0xFFFFFFu;
                const int rv = static_cast<int>(c >> 16);
                const int gv = static_cast<int>((c >> 8) & 0xFFu);
                const int bv = static_cast<int>(c & 0xFFu);
                const std::uint32_t pr = data & static_cast<std::uint32_t>(rv > thr);
                const std::uint32_t pg = data & static_cast<std::uint32_t>(gv > thg);
                const std::uint32_t pb = data & static_cast<std::uint32_t>(bv > thb);
                const std::uint32_t kr = static_cast<std::uint32_t>(rv) & (0u - pr);
                const std::uint32_t kg = static_cast<std::uint32_t>(gv) & (0u - pg);
                const std::uint32_t kb = static_cast<std::uint32_t>(bv) & (0u - pb);
                p.tr += kr;
                p.tg += kg;
                p.tb += kb;
                p.rg += kr & (0u - pg);
                p.rb += kr & (0u - pb);
                p.gr += kg & (0u - pr);
                p.gb += kg & (0u - pb);
                p.br += kb & (0u - pr);
                p.bg += kb & (0u - pg);
                p.nrg += pr & pg;
                p.nrb += pr & pb;
                p.ngb += pg & pb;
            }
            total.Add(p);
        }
    }
    out.Add(total);
}

}  // namespace

CoefficientThresholds ThresholdsFor(const QString& mode, bool quadrantMask, int cx, int cy) {
    CoefficientThresholds t;
    if (!quadrantMask) return t;
    const ChannelPair* pair = FindChannelPair(mode);
    if (!pair) return t;
    SetThreshold(t, pair->x, cx - 1);
    SetThreshold(t, pair->y, 254 - cy);
    return t;
}

bool OverlapRow::Value(double* value) const {
    if (total == 0) return false;
    *value = static_cast<double>(sum) / static_cast<double>(total);
    return true;
}

OverlapCoefficients ComputeOverlap(const PicturePtr& crop, const RoiBox& box,
                                   const CoefficientThresholds& thresholds) {
    Sums<std::int64_t> s;
    if (crop) {
        const QImage& image = crop->Image();
        const PixelRange r = ClipInterior(box, image.width(), image.height());
        const int thr = Narrow(thresholds.red), thg = Narrow(thresholds.green),
                  thb = Narrow(thresholds.blue);
        std::vector<Sums<std::int64_t>> perSlot(static_cast<size_t>(RowBandSlots()));
        ForEachRowBand(r.top, r.bottom, r.right - r.left, [&](int slot, int first, int last) {
            SumRows(image, r.left, r.right, first, last, thr, thg, thb,
                    perSlot[static_cast<size_t>(slot)]);
        });
        for (const Sums<std::int64_t>& part : perSlot) s.Add(part);
    }
    OverlapCoefficients out;
    out.rows[kRedGreen] = {Channel::Red, Channel::Green, s.rg, s.tr, s.nrg};
    out.rows[kRedBlue] = {Channel::Red, Channel::Blue, s.rb, s.tr, s.nrb};
    out.rows[kGreenRed] = {Channel::Green, Channel::Red, s.gr, s.tg, s.nrg};
    out.rows[kGreenBlue] = {Channel::Green, Channel::Blue, s.gb, s.tg, s.ngb};
    out.rows[kBlueRed] = {Channel::Blue, Channel::Red, s.br, s.tb, s.nrb};
    out.rows[kBlueGreen] = {Channel::Blue, Channel::Green, s.bg, s.tb, s.ngb};
    return out;
}

const OverlapCoefficients& OverlapMemo::Compute(const PicturePtr& crop, const RoiBox& box,
                                                const CoefficientThresholds& thresholds) {
    const qint64 pixels = crop ? crop->Image().cacheKey() : 0;
    if (!valid_ || pixels != pixels_ || !(box == box_) || !(thresholds == thresholds_)) {
        result_ = ComputeOverlap(crop, box, thresholds);
        valid_ = true;
        pixels_ = pixels;
        box_ = box;
        thresholds_ = thresholds;
    }
    return result_;
}

QString CoefficientText(const OverlapRow& row) {
    double v = 0;
    if (!row.Value(&v)) return kNoCoefficientText;
    return Left(Str(v), 4);
}

std::array<bool, 6> RowsKeptUnderMask(const QString& mode) {
    std::array<bool, 6> kept{};
    const ChannelPair* pair = FindChannelPair(mode);
    if (!pair) {
        kept.fill(true);
        return kept;
    }
    const Channel a = pair->x, b = pair->y;
    const Channel firsts[6] = {Channel::Red,   Channel::Red,  Channel::Green,
                               Channel::Green, Channel::Blue, Channel::Blue};
    const Channel seconds[6] = {Channel::Green, Channel::Blue, Channel::Red,
                                Channel::Blue,  Channel::Red,  Channel::Green};
    for (int i = 0; i < 6; ++i)
        kept[i] = (firsts[i] == a && seconds[i] == b) || (firsts[i] == b && seconds[i] == a);
    return kept;
}

CoefficientWindowTexts CoefficientTexts(const OverlapCoefficients& result, const QString& mode,
                                        bool quadrantMask) {
    CoefficientWindowTexts texts;
    std::array<bool, 6> kept;
    kept.fill(true);
    if (quadrantMask) kept = RowsKeptUnderMask(mode);
    for (size_t i = 0; i < 6; ++i) {
        if (!kept[i]) continue;
        texts.values[i] = CoefficientText(result.rows[i]);
        texts.pixels[i] = Str(result.rows[i].pixels);
    }
    return texts;
}

}  // namespace qv
