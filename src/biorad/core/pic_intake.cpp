#include "biorad/core/pic_intake.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>

#include "platform/core/text.h"

namespace qv {

std::vector<int> DroppedFileOrder(const QStringList& names) {
    std::vector<int> order(static_cast<std::size_t>(names.size()));
    std::iota(order.begin(), order.end(), 0);
    if (order.size() > 2)
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return names[a].compare(names[b], Qt::CaseInsensitive) < 0;
        });
    return order;
}

IntakeCheck CheckDroppedFiles(std::span<const PicSource> dropped) {
    IntakeCheck out;
    if (dropped.empty()) return out;
    if (dropped.size() > static_cast<std::size_t>(kPicMaxFiles)) {
        out.problem = QStringLiteral("At most three PIC files can be dropped at once, one for "
                                     "each channel; %1 were dropped.")
                          .arg(Str(static_cast<int>(dropped.size())));
        return out;
    }
    QStringList names;
    for (const PicSource& f : dropped) names << f.name;
    out.order = DroppedFileOrder(names);
    const PicSource& fol = dropped[static_cast<std::size_t>(out.order.back())];
    CheckedStream first = OpenChecked(fol);
    if (!first.stream) {
        out.problem = first.problem;
        return out;
    }
    out.header = first.header;
    for (int k : out.order) {
        const PicSource& f = dropped[static_cast<std::size_t>(k)];
        if (&f == &fol) continue;
        CheckedStream other = OpenChecked(f, &out.header, fol.name);
        if (!other.stream) {
            out.problem = other.problem;
            return out;
        }
    }
    return out;
}

IntakeRead ReadIntake(std::span<const PicSource> files) {
    IntakeRead out;
    IntakeCheck check = CheckDroppedFiles(files);
    if (!check.problem.isEmpty()) {
        out.problem = check.problem;
        return out;
    }
    if (check.order.empty()) return out;
    const PicHeader h = check.header;
    const PicSource& header = files[static_cast<std::size_t>(check.order.back())];
    CheckedStream in = OpenChecked(header, &h, header.name);
    if (!in.stream) {
        out.problem = in.problem;
        return out;
    }
    in.stream->SetPosition(kPicPixelStart);
    if (files.size() == 1 && h.npics == 1) {
        bool noMemory = false;
        out.grey = PlanePicture(ReadPlane(*in.stream, h.nx, h.ny, &noMemory), PlaneTint::Phase);
        if (!out.grey) {
            out.problem = QStringLiteral("The image of \"%1\" cannot be read.").arg(header.name);
            return out;
        }
        in.stream->SetPosition(kPicPixelStart);
    }
    out.header = h;
    out.order = std::move(check.order);
    out.stream = std::move(in.stream);
    return out;
}

QString ProcessingText(const PicHeader& h) {
    return QStringLiteral("Processing ") + Str(h.nx) + QLatin1Char('x') + Str(h.ny) +
           QStringLiteral("px, ") + Str(h.npics) + QStringLiteral(" channel") +
           (h.npics > 1 ? QStringLiteral("s") : QString());
}

namespace {

// Where one control lies against another along one direction as the window
// grows by `grow` beyond its design size.
struct Span {
    int start, length;
    bool moves;  // follows the far edge (right or bottom)
};

constexpr int kApartAlways = std::numeric_limits<int>::min();

// The growth of the window beyond its design size along one direction
// (negative: a shrink) from which on a and b lie apart there: kApartAlways
// for two that keep their distance and lie apart, none when no size parts
// them (they keep their distance and overlap, or the one that moves lies
// before the other and would only close in on it).
std::optional<int> PartingGrowth(Span a, Span b) {
    if (a.moves == b.moves) {
        if (a.start + a.length <= b.start || b.start + b.length <= a.start) return kApartAlways;
        return std::nullopt;
    }
    const Span& mover = a.moves ? a : b;
    const Span& still = a.moves ? b : a;
    if (mover.start < still.start) return std::nullopt;
    return still.start + still.length - mover.start;
}

// Whether `inner` lies whole inside the frame and moves with it.
bool Framed(const AnchoredControl& frame, const AnchoredControl& inner) {
    return frame.rect.contains(inner.rect) && frame.right == inner.right &&
           frame.bottom == inner.bottom;
}

}  // namespace

QSize LeastWindowSize(std::span<const AnchoredControl> controls, QSize design) {
    int width = 0, height = 0;
    for (const AnchoredControl& c : controls) {
        // Only the edges that move with the window can be crossed by it.
        width = std::max(width,
                         c.right ? design.width() - c.rect.left() : c.rect.left() + c.rect.width());
        height = std::max(
            height, c.bottom ? design.height() - c.rect.top() : c.rect.top() + c.rect.height());
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const AnchoredControl& a = controls[i];
            const AnchoredControl& b = controls[j];
            if (a.frame != b.frame) {
                const AnchoredControl& frame = a.frame ? a : b;
                const AnchoredControl& other = a.frame ? b : a;
                if (!other.clickable || Framed(frame, other)) continue;
            }
            const std::optional<int> x = PartingGrowth({a.rect.left(), a.rect.width(), a.right},
                                                       {b.rect.left(), b.rect.width(), b.right});
            const std::optional<int> y = PartingGrowth({a.rect.top(), a.rect.height(), a.bottom},
                                                       {b.rect.top(), b.rect.height(), b.bottom});
            if (x == kApartAlways || y == kApartAlways) continue;
            if (x) {
                width = std::max(width, design.width() + *x);
            } else if (y) {
                height = std::max(height, design.height() + *y);
            }
        }
    }
    return {width, height};
}

ImportSizes ImportSizing(int nx, int ny, int screenWidth, int screenHeight, QSize least) {
    return {std::min(nx, screenWidth - 100), std::min(ny + 120, screenHeight - 150),
            std::max(least.width(), std::min(nx + 50, screenWidth - 30)),
            std::max(least.height(), std::min(ny + 120, screenHeight - 30))};
}

}  // namespace qv
