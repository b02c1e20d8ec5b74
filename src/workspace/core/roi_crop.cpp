#include "workspace/core/roi_crop.h"

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "platform/core/color.h"
#include "platform/core/graphics.h"

namespace qv {

namespace {

constexpr std::uint32_t kAlpha = 0xFF000000u;

// A picture of side `side` whose pixels the caller writes completely.
QImage Uninitialised(int side) {
    return QImage(side, side, QImage::Format_RGB32);
}

// Rows of an image, reached from its first byte taken once per pass.
struct Rows {
    uchar* base;
    qsizetype stride;
    std::uint32_t* operator[](int y) const {
        return reinterpret_cast<std::uint32_t*>(base + y * stride);
    }
};

struct ConstRows {
    const uchar* base;
    qsizetype stride;
    const std::uint32_t* operator[](int y) const {
        return reinterpret_cast<const std::uint32_t*>(base + y * stride);
    }
};

ConstRows RowsOf(const PicturePtr& p) {
    if (!p) return {nullptr, 0};
    return {p->Image().constBits(), p->Image().bytesPerLine()};
}

}  // namespace

PicturePtr CropRectangle(const PicturePtr& source, int imgsize, const RoiBox& box) {
    if (imgsize <= 0) return nullptr;
    QImage out = Uninitialised(imgsize);
    if (out.isNull()) return nullptr;
    const int sw = source ? std::min(imgsize, source->Width()) : 0;
    const int sh = source ? std::min(imgsize, source->Height()) : 0;
    const PixelRange r = ClipInterior(box, sw, sh);
    const bool copies = !r.Empty();
    const Rows outRows{out.bits(), out.bytesPerLine()};
    const ConstRows in = RowsOf(source);
    for (int y = 0; y < imgsize; ++y) {
        std::uint32_t* o = outRows[y];
        if (!copies || y < r.top || y >= r.bottom) {
            std::fill(o, o + imgsize, kOpaqueWhite);
            continue;
        }
        const std::uint32_t* s = in[y];
        std::fill(o, o + r.left, kOpaqueWhite);
        for (int x = r.left; x < r.right; ++x) o[x] = s[x] | kAlpha;
        std::fill(o + r.right, o + imgsize, kOpaqueWhite);
    }
    return std::make_shared<Picture>(std::move(out));
}

PicturePtr OvalMask(int imgsize, const RoiBox& box) {
    PicturePtr mask = NewPicture(imgsize, imgsize);
    if (!mask) return nullptr;
    Graphics& g = mask->Graphics();
    g.ForeColor = kMaskColor;
    g.FillOval(box.x1, box.y1, box.x2 - box.x1, box.y2 - box.y1);
    return mask;
}

MaskedCrop CropOval(const PicturePtr& source, int imgsize, const RoiBox& box) {
    if (imgsize <= 0) return {};
    QImage mask = Uninitialised(imgsize), out = Uninitialised(imgsize);
    if (mask.isNull() || out.isNull()) return {};
    const int x = box.x1, y = box.y1, w = box.x2 - box.x1, h = box.y2 - box.y1;
    const int sw = source ? std::min(imgsize, source->Width()) : 0;
    const int sh = source ? std::min(imgsize, source->Height()) : 0;
    const Rows maskRows{mask.bits(), mask.bytesPerLine()}, outRows{out.bits(), out.bytesPerLine()};
    const ConstRows in = RowsOf(source);
    for (int row = 0; row < imgsize; ++row) {
        // the oval's columns first <= x < last on this row, and those of them the source has
        int first = 0, last = 0;
        if (w > 0 && h > 0 && OvalRow(x, y, w, h, row, &first, &last)) {
            first = std::clamp(first, 0, imgsize);
            last = std::clamp(last, first, imgsize);
        }
        const bool inSource = row < sh;
        const int copied = inSource ? std::clamp(sw, first, last) : first;
        std::uint32_t* m = maskRows[row];
        std::fill(m, m + first, kOpaqueWhite);
        std::fill(m + first, m + last, kAlpha | kMaskColor);
        std::fill(m + last, m + imgsize, kOpaqueWhite);
        std::uint32_t* o = outRows[row];
        const std::uint32_t* s = inSource ? in[row] : nullptr;
        std::fill(o, o + first, kOpaqueWhite);
        for (int i = first; i < copied; ++i) o[i] = s[i] | kAlpha;
        std::fill(o + copied, o + imgsize, kOpaqueWhite);
    }
    return {std::make_shared<Picture>(std::move(mask)), std::make_shared<Picture>(std::move(out))};
}

namespace {

// Columns a <= x < b of one row.
struct Span {
    int a, b;
};

// Joins two lists of spans, each in order of their first column, and adds
// them to the end of `out` in that order, spans that overlap or touch made one.
void JoinInOrder(const Span* p, const Span* pEnd, const Span* q, const Span* qEnd,
                 std::vector<Span>* out) {
    const size_t start = out->size();
    while (p != pEnd || q != qEnd) {
        const Span s = q == qEnd || (p != pEnd && p->a <= q->a) ? *p++ : *q++;
        if (out->size() > start && s.a <= out->back().b)
            out->back().b = std::max(out->back().b, s.b);
        else
            out->push_back(s);
    }
}

// The outline Graphics::DrawPolygon draws, as spans by row, clipped to the
// picture: spans[first[r]] .. spans[first[r + 1] - 1] lie on row top + r, in
// order from left to right (the outline lies within rows top .. top + rows - 1).
struct OutlineRows {
    OutlineRows(const std::vector<int>& points, int n, int side, int top, int rows);
    std::vector<Span> spans;
    std::vector<size_t> first;
};

OutlineRows::OutlineRows(const std::vector<int>& points, int n, int side, int top, int rows) {
    // a line's pixels on one row lie side by side
    std::vector<std::pair<int, Span>> walked;
    for (int k = 1; k <= n; ++k) {
        const int next = k == n ? 1 : k + 1;
        int runY = 0;
        Span run{0, 0};
        auto flush = [&] {
            const Span s{std::max(run.a, 0), std::min(run.b, side)};
            if (s.a < s.b && runY >= 0 && runY < side) walked.emplace_back(runY, s);
        };
        WalkLine(points[2 * k - 1], points[2 * k], points[2 * next - 1], points[2 * next],
                 [&](int x, int y) {
                     if (run.a < run.b && y == runY) {
                         run.a = std::min(run.a, x), run.b = std::max(run.b, x + 1);
                         return;
                     }
                     if (run.a < run.b) flush();
                     runY = y, run = {x, x + 1};
                 });
        flush();
    }
    // counted into rows, then each row put in order
    first.assign(static_cast<size_t>(rows) + 2, 0);
    for (const auto& [y, span] : walked) ++first[static_cast<size_t>(y - top) + 2];
    for (size_t r = 2; r < first.size(); ++r) first[r] += first[r - 1];
    spans.resize(walked.size());
    for (const auto& [y, span] : walked) spans[first[static_cast<size_t>(y - top) + 1]++] = span;
    first.pop_back();
    for (size_t r = 0; r < static_cast<size_t>(rows); ++r)
        for (size_t i = first[r] + 1; i < first[r + 1]; ++i)
            for (size_t j = i; j > first[r] && spans[j].a < spans[j - 1].a; --j)
                std::swap(spans[j], spans[j - 1]);
}

// The columns of a polygon's mask, row by row: every pixel whose centre lies
// inside the polygon or on an edge, the vertices being taken at pixel centres
// as the outline draws them (even-odd rule); the pixels Graphics::FillPolygon
// fills; the outline Graphics::DrawPolygon draws; and the slivers of white
// these close in near sharp vertices. A sliver is a part of the white within
// the box (the polygon's bounding box and a ring of one pixel round it,
// clipped to the picture) that side steps cannot take to the box's edge, and
// every pixel of which touches the outline, sideways or corner to corner; a
// larger hole, as where a polygon crosses itself, stays white. The white is
// taken a run of a row at a time, each run joined to the runs it touches on
// the row above.
class PolygonRows {
public:
    PolygonRows(const std::vector<int>& points, int side);

    // The mask's spans of row y, in order and apart.
    const Span* begin(int y) const { return Row(y, 0); }
    const Span* end(int y) const { return Row(y, 1); }

private:
    struct Run {
        Span s;
        int parent;
        bool open;    // side steps take it (of a root: its part) to the box's edge
        bool rimmed;  // of a root: every pixel of its part touches the outline
    };
    const Span* Row(int y, int next) const {
        if (y < top_ || y >= top_ + static_cast<int>(first_.size()) - 1) return nullptr;
        return spans_.data() + first_[static_cast<size_t>(y - top_ + next)];
    }
    int Find(int r) {
        while (runs_[static_cast<size_t>(r)].parent != r) {
            Run& run = runs_[static_cast<size_t>(r)];
            run.parent = runs_[static_cast<size_t>(run.parent)].parent;
            r = run.parent;
        }
        return r;
    }
    void Unite(int p, int q) {
        p = Find(p), q = Find(q);
        if (p == q) return;
        Run &keep = runs_[static_cast<size_t>(p)], &gone = runs_[static_cast<size_t>(q)];
        gone.parent = p;
        keep.open = keep.open || gone.open;
    }

    int top_ = 0;
    std::vector<size_t> first_;  // spans_ of row top_ + i: first_[i] .. first_[i + 1] - 1
    std::vector<Span> spans_;
    std::vector<Run> runs_;
};

PolygonRows::PolygonRows(const std::vector<int>& points, int side) {
    const int n = static_cast<int>((points.size() - (points.empty() ? 0 : 1)) / 2);
    if (n < 1 || side <= 0) return;
    int left = points[1], top = points[2], right = left, bottom = top;
    for (int k = 1; k <= n; ++k) {
        left = std::min(left, points[2 * k - 1]);
        right = std::max(right, points[2 * k - 1]);
        top = std::min(top, points[2 * k]);
        bottom = std::max(bottom, points[2 * k]);
    }
    const int boxLeft = std::max(left - 1, 0), boxRight = std::min(right + 1, side - 1);
    const int boxTop = std::max(top - 1, 0), boxBottom = std::min(bottom + 1, side - 1);
    if (boxLeft > boxRight || boxTop > boxBottom) return;
    const int rows = boxBottom - boxTop + 1;
    top_ = boxTop;

    const OutlineRows outline(points, n, side, boxTop, rows);
    const std::vector<Span>& drawn = outline.spans;
    const std::vector<size_t>& rimFirst = outline.first;

    // Each row's pixels of the fills and the outline, and its white runs.
    std::vector<Span> covered, byCentres, filled, both;
    std::vector<size_t> coveredFirst{0}, runFirst{0};
    covered.reserve(4 * static_cast<size_t>(rows));
    runs_.reserve(4 * static_cast<size_t>(rows));
    const PolygonEdges edges(points, n);
    std::vector<double> xs;
    for (int y = boxTop; y <= boxBottom; ++y) {
        const size_t r = static_cast<size_t>(y - boxTop);
        byCentres.clear(), filled.clear();
        if (n >= 3 && y >= top && y < bottom) {
            edges.Crossings(y, &xs);  // by centres, edges included
            for (size_t i = 0; i + 1 < xs.size(); i += 2) {
                const int a = std::max(static_cast<int>(std::ceil(xs[i])), 0);
                const int b = std::min(static_cast<int>(std::floor(xs[i + 1])), side - 1);
                if (a <= b) byCentres.push_back({a, b + 1});
            }
            edges.Crossings(y + 0.5, &xs);  // as the platform fills
            for (size_t i = 0; i + 1 < xs.size(); i += 2) {
                const int a = std::max(static_cast<int>(std::ceil(xs[i] - 0.5)), 0);
                const int b = std::min(static_cast<int>(std::ceil(xs[i + 1] - 0.5)), side);
                if (a < b) filled.push_back({a, b});
            }
        }
        both.clear();
        JoinInOrder(byCentres.data(), byCentres.data() + byCentres.size(), filled.data(),
                    filled.data() + filled.size(), &both);
        JoinInOrder(both.data(), both.data() + both.size(), drawn.data() + rimFirst[r],
                    drawn.data() + rimFirst[r + 1], &covered);
        coveredFirst.push_back(covered.size());

        size_t p = runFirst[r > 0 ? r - 1 : r];  // the runs of the row above
        const size_t prevEnd = runFirst[r];
        int x = boxLeft;
        auto addRun = [&](int a, int b) {
            if (a >= b) return;
            const int id = static_cast<int>(runs_.size());
            const bool open = y == boxTop || y == boxBottom || a == boxLeft || b == boxRight + 1;
            runs_.push_back({{a, b}, id, open, true});
            // the runs above that share a column with it
            while (p < prevEnd && runs_[p].s.b <= a) ++p;
            for (size_t q = p; q < prevEnd && runs_[q].s.a < b; ++q) Unite(static_cast<int>(q), id);
            // (a run once open stays so: the later passes need not look for its root)
            runs_.back().open = runs_[static_cast<size_t>(Find(id))].open;
        };
        for (size_t i = coveredFirst[r]; i < coveredFirst[r + 1]; ++i) {
            addRun(x, std::min(covered[i].a, boxRight + 1));
            x = std::max(x, covered[i].b);
        }
        addRun(x, boxRight + 1);
        runFirst.push_back(runs_.size());
    }

    // Whether every pixel of each run of a closed part lies within a pixel of
    // the outline, on its row or those beside it.
    bool closed = false;
    for (size_t r = 0; r < static_cast<size_t>(rows); ++r) {
        const Span* nearFirst = drawn.data() + rimFirst[r > 0 ? r - 1 : 0];
        const Span* nearEnd = drawn.data() + rimFirst[std::min(r + 2, static_cast<size_t>(rows))];
        auto near = [&](int x) {
            for (const Span* d = nearFirst; d != nearEnd; ++d)
                if (d->a - 1 <= x && x < d->b + 1) return d->b + 1;
            return x;
        };
        for (size_t i = runFirst[r]; i < runFirst[r + 1]; ++i) {
            if (runs_[i].open) continue;
            Run& root = runs_[static_cast<size_t>(Find(static_cast<int>(i)))];
            if (root.open || !root.rimmed) continue;
            closed = true;
            int x = runs_[i].s.a;
            for (int reached = near(x); reached > x; reached = near(x)) x = reached;
            root.rimmed = x >= runs_[i].s.b;
        }
    }

    // The mask: the covered spans and the slivers among the runs between them.
    if (!closed) {
        spans_ = std::move(covered);
        first_ = std::move(coveredFirst);
        return;
    }
    first_.push_back(0);
    spans_.reserve(covered.size());
    for (size_t r = 0; r < static_cast<size_t>(rows); ++r) {
        filled.clear();
        for (size_t i = runFirst[r]; i < runFirst[r + 1]; ++i) {
            if (runs_[i].open) continue;
            const Run& root = runs_[static_cast<size_t>(Find(static_cast<int>(i)))];
            if (!root.open && root.rimmed) filled.push_back(runs_[i].s);
        }
        JoinInOrder(covered.data() + coveredFirst[r], covered.data() + coveredFirst[r + 1],
                    filled.data(), filled.data() + filled.size(), &spans_);
        first_.push_back(spans_.size());
    }
}

// Writes row y of a polygon's mask and, where `o` is given, of its crop: the
// mask colour and the source's pixels (`s`, of which `sw` columns exist, or
// none) on the mask's spans, white elsewhere.
void WriteMaskRow(const PolygonRows& rows, int y, int side, std::uint32_t* m, std::uint32_t* o,
                  const std::uint32_t* s, int sw) {
    int x = 0;
    const Span* const end = rows.end(y);
    for (const Span* span = rows.begin(y); span != end; ++span) {
        std::fill(m + x, m + span->a, kOpaqueWhite);
        std::fill(m + span->a, m + span->b, kAlpha | kMaskColor);
        if (o) {
            std::fill(o + x, o + span->a, kOpaqueWhite);
            const int copied = s ? std::clamp(sw, span->a, span->b) : span->a;
            for (int i = span->a; i < copied; ++i) o[i] = s[i] | kAlpha;
            std::fill(o + copied, o + span->b, kOpaqueWhite);
        }
        x = span->b;
    }
    std::fill(m + x, m + side, kOpaqueWhite);
    if (o) std::fill(o + x, o + side, kOpaqueWhite);
}

}  // namespace

PicturePtr PolygonMask(int imgsize, const std::vector<int>& points) {
    if (imgsize <= 0) return nullptr;
    QImage mask = Uninitialised(imgsize);
    if (mask.isNull()) return nullptr;
    const PolygonRows rows(points, imgsize);
    const Rows maskRows{mask.bits(), mask.bytesPerLine()};
    for (int y = 0; y < imgsize; ++y)
        WriteMaskRow(rows, y, imgsize, maskRows[y], nullptr, nullptr, 0);
    return std::make_shared<Picture>(std::move(mask));
}

MaskedCrop CropPolygon(const PicturePtr& source, int imgsize, const std::vector<int>& points) {
    if (imgsize <= 0) return {};
    QImage mask = Uninitialised(imgsize), out = Uninitialised(imgsize);
    if (mask.isNull() || out.isNull()) return {};
    const int sw = source ? std::min(imgsize, source->Width()) : 0;
    const int sh = source ? std::min(imgsize, source->Height()) : 0;
    const PolygonRows rows(points, imgsize);
    const Rows maskRows{mask.bits(), mask.bytesPerLine()}, outRows{out.bits(), out.bytesPerLine()};
    const ConstRows in = RowsOf(source);
    for (int y = 0; y < imgsize; ++y)
        WriteMaskRow(rows, y, imgsize, maskRows[y], outRows[y], y < sh ? in[y] : nullptr, sw);
    return {std::make_shared<Picture>(std::move(mask)), std::make_shared<Picture>(std::move(out))};
}

PicturePtr CropMasked(const PicturePtr& source, const PicturePtr& mask, int imgsize,
                      const RoiBox& box) {
    if (imgsize <= 0) return nullptr;
    QImage out = Uninitialised(imgsize);
    if (out.isNull()) return nullptr;
    int w = 0, h = 0;
    if (source && mask) {
        w = std::min({imgsize, source->Width(), mask->Width()});
        h = std::min({imgsize, source->Height(), mask->Height()});
    }
    const PixelRange r = ClipBox(box, w, h);
    const bool copies = !r.Empty();
    const Rows outRows{out.bits(), out.bytesPerLine()};
    const ConstRows in = RowsOf(source), under = RowsOf(mask);
    for (int y = 0; y < imgsize; ++y) {
        std::uint32_t* o = outRows[y];
        if (!copies || y < r.top || y >= r.bottom) {
            std::fill(o, o + imgsize, kOpaqueWhite);
            continue;
        }
        const std::uint32_t* s = in[y];
        const std::uint32_t* m = under[y];
        std::fill(o, o + r.left, kOpaqueWhite);
        // white where the mask is not exactly yellow, the source's pixel where it is
        for (int x = r.left; x < r.right; ++x) {
            const std::uint32_t keep =
                0u - static_cast<std::uint32_t>((m[x] & 0xFFFFFFu) == kMaskColor);
            o[x] = s[x] | kAlpha | ~keep;
        }
        std::fill(o + r.right, o + imgsize, kOpaqueWhite);
    }
    return std::make_shared<Picture>(std::move(out));
}

}  // namespace qv
