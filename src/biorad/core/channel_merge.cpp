#include "biorad/core/channel_merge.h"

#include <vector>

#include "platform/core/color.h"
#include "platform/core/text.h"

namespace qv {

namespace {

QChar MenuLetter(const char* rows, int row) {
    if (row < 2 || row > 4) return QChar();
    const QString text = NthField(QString::fromLatin1(rows), QStringLiteral(","), row + 1);
    return text.isEmpty() ? QChar() : text.at(0);
}

QString Replaced(const QString& letters, QChar from, QChar to) {
    if (from.isNull()) return letters;
    QString out;
    for (const QChar c : letters) out += (c == from) ? to : c;
    return out;
}

QString SizeText(int nx, int ny) { return Str(nx) + QLatin1Char('x') + Str(ny); }

QString ChangedProblem(const QString& name) {
    return QStringLiteral("The file \"%1\" has changed or is gone since it was taken in: drop it "
                          "again. The picture is left as it was.")
        .arg(name);
}

QString MemoryProblem(int nx, int ny) {
    return QStringLiteral("There is not enough memory to merge images of %1 x %2 pixels.")
        .arg(Str(nx), Str(ny));
}

QString ReadProblem(const QString& name, const PicHeader& h, bool noMemory) {
    return noMemory ? MemoryProblem(h.nx, h.ny) : ChangedProblem(name);
}

bool Reads(QChar c) {
    return c == QLatin1Char('R') || c == QLatin1Char('G') || c == QLatin1Char('B') ||
           c == QLatin1Char('X');
}

void Report(const MergeHooks& hooks, const QString& text) {
    if (hooks.status) hooks.status(text);
}

MergeResult Merged(const ChannelPlanes& planes, const PicHeader& h, const MergeHooks& hooks) {
    Report(hooks, MergingStatus(h.nx, h.ny));
    MergeResult r;
    r.pix = MergeChannels(planes, h.nx, h.ny, hooks.keepAlive);
    if (!r.pix) return {nullptr, MemoryProblem(h.nx, h.ny)};
    Report(hooks, MergedStatus());
    return r;
}

}  // namespace

QString ChannelLetters(const QString& order, int greyRow, int omitRow) {
    const QString grey = Replaced(order, MenuLetter(kGreyMenuRows, greyRow), QLatin1Char('X'));
    return Replaced(grey, MenuLetter(kOmitMenuRows, omitRow), QLatin1Char('K'));
}

QString PlaneStatus(int nx, int ny, int count, bool plural, QChar letter) {
    const char* what = letter == QLatin1Char('R')   ? "red"
                       : letter == QLatin1Char('G') ? "green"
                       : letter == QLatin1Char('B') ? "blue"
                                                    : "phase";
    return SizeText(nx, ny) + QLatin1Char(' ') + Str(count) + QStringLiteral(" channel") +
           (plural ? QStringLiteral("s") : QString()) + QStringLiteral(", processing ") +
           QLatin1String(what) + QStringLiteral("...");
}

QString MergingStatus(int nx, int ny) { return SizeText(nx, ny) + QStringLiteral(" , merging..."); }

QString MergedStatus() { return QStringLiteral("Change channel order or click Done"); }

void ChannelPlanes::Take(QChar letter, PicPlane plane) {
    if (letter == QLatin1Char('R')) red = std::move(plane);
    else if (letter == QLatin1Char('G')) green = std::move(plane);
    else if (letter == QLatin1Char('B')) blue = std::move(plane);
    else if (letter == QLatin1Char('X')) grey = std::move(plane);
}

PicturePtr MergeChannels(const ChannelPlanes& planes, int nx, int ny,
                         const std::function<void()>& keepAlive) {
    PicturePtr pix = UnfilledPicture(nx, ny);
    if (!pix) return nullptr;
    std::vector<std::uint8_t> zeros;
    try {
        zeros.assign(static_cast<std::size_t>(nx), 0);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    auto row = [&](const PicPlane& p, int y) { return p.Empty() ? zeros.data() : p.Row(y); };
    QImage& img = pix->Image();
    for (int y = 0; y < ny; ++y) {
        const std::uint8_t* r = row(planes.red, y);
        const std::uint8_t* g = row(planes.green, y);
        const std::uint8_t* b = row(planes.blue, y);
        const std::uint8_t* p = row(planes.grey, y);
        auto* out = reinterpret_cast<std::uint32_t*>(img.scanLine(y));
        for (int x = 0; x < nx; ++x) out[x] = 0xFF000000u | RGB(r[x] + p[x], g[x] + p[x], b[x] + p[x]);
        if (keepAlive && y % 64 == 63) keepAlive();
    }
    return pix;
}

MergeResult RenderStack(const PicSource& fol, const PicHeader& h, const QString& letters,
                        const MergeHooks& hooks) {
    CheckedStream in = OpenChecked(fol, &h, fol.name);
    if (!in.stream) return {nullptr, ChangedProblem(fol.name)};
    ChannelPlanes planes;
    const bool plural = h.npics > 1;
    for (int i = 0; i < std::min(h.npics, 3); ++i) {
        const QChar c = i < letters.size() ? letters.at(i) : QChar();
        if (Reads(c)) {
            Report(hooks, PlaneStatus(h.nx, h.ny, h.npics, plural, c));
            in.stream->SetPosition(ImageStart(h, i));
            bool noMemory = false;
            PicPlane plane = ReadPlane(*in.stream, h.nx, h.ny, &noMemory);
            if (plane.Empty()) return {nullptr, ReadProblem(fol.name, h, noMemory)};
            planes.Take(c, std::move(plane));
        }
        if (hooks.keepAlive) hooks.keepAlive();
    }
    in.stream->Close();
    return Merged(planes, h, hooks);
}

MergeResult RenderImage(const PicSource& fol, const PicHeader& h, int image,
                        const MergeHooks& hooks) {
    CheckedStream in = OpenChecked(fol, &h, fol.name);
    if (!in.stream || image < 0 || image >= h.npics) return {nullptr, ChangedProblem(fol.name)};
    Report(hooks, PlaneStatus(h.nx, h.ny, h.npics, h.npics > 1, QLatin1Char('X')));
    in.stream->SetPosition(ImageStart(h, image));
    bool noMemory = false;
    const PicPlane plane = ReadPlane(*in.stream, h.nx, h.ny, &noMemory);
    in.stream->Close();
    if (plane.Empty()) return {nullptr, ReadProblem(fol.name, h, noMemory)};
    if (hooks.keepAlive) hooks.keepAlive();
    MergeResult r;
    r.pix = PlanePicture(plane, PlaneTint::Phase);
    if (!r.pix) return {nullptr, MemoryProblem(h.nx, h.ny)};
    Report(hooks, MergedStatus());
    return r;
}

MergeResult RenderFiles(std::span<const PicSource> files, const PicHeader& h, int framen,
                        const QString& letters, const MergeHooks& hooks) {
    ChannelPlanes planes;
    const int count = static_cast<int>(files.size());
    for (int k = 0; k < count; ++k) {
        if (hooks.beforeFile) hooks.beforeFile(k);
        const QChar c = k < letters.size() ? letters.at(k) : QChar();
        if (Reads(c)) {
            Report(hooks, PlaneStatus(h.nx, h.ny, count, true, c));
            const PicSource& f = files[static_cast<std::size_t>(k)];
            CheckedStream in = OpenChecked(f, &h, f.name);
            if (!in.stream || framen < 0 || framen >= in.header.npics)
                return {nullptr, ChangedProblem(f.name)};
            in.stream->SetPosition(ImageStart(h, framen));
            bool noMemory = false;
            PicPlane plane = ReadPlane(*in.stream, h.nx, h.ny, &noMemory);
            in.stream->Close();
            if (plane.Empty()) return {nullptr, ReadProblem(f.name, h, noMemory)};
            planes.Take(c, std::move(plane));
        }
        if (hooks.keepAlive) hooks.keepAlive();
    }
    return Merged(planes, h, hooks);
}

}  // namespace qv
