#include "biorad/core/pic_intake.h"

#include <algorithm>
#include <numeric>

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

ImportSizes ImportSizing(int nx, int ny, int screenWidth, int screenHeight) {
    return {std::min(nx, screenWidth - 100), std::min(ny + 120, screenHeight - 150),
            std::min(nx + 50, screenWidth - 30), std::min(ny + 120, screenHeight - 30)};
}

}  // namespace qv
