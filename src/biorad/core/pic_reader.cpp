#include "biorad/core/pic_reader.h"

#include <QFileInfo>
#include <QImage>
#include <new>

#include "platform/core/folderitem.h"
#include "platform/core/text.h"

namespace qv {

namespace {

QString Quoted(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

QString Size(std::int32_t w, std::int32_t h) { return Str(w) + QStringLiteral(" x ") + Str(h); }

QString Images(std::int64_t count) {
    return CountText(count, QStringLiteral("image"), QStringLiteral("images"));
}

}  // namespace

PicHeader ReadPicHeader(BinaryStream& in) {
    in.LittleEndian = true;
    in.SetPosition(0);
    PicHeader h;
    h.nx = in.ReadShort();
    h.ny = in.ReadShort();
    h.npics = in.ReadShort();
    return h;
}

QString PicProblem(const QString& name, const PicHeader& h, std::int64_t length) {
    if (length < kPicHeaderWords)
        return QStringLiteral("The file %1 is too short to be a Bio-Rad PIC file.").arg(Quoted(name));
    if (h.nx <= 0 || h.ny <= 0 || h.npics <= 0)
        return QStringLiteral("The file %1 announces %2 of %3 pixels: it cannot be read as a "
                              "Bio-Rad PIC file.")
            .arg(Quoted(name), Images(h.npics), Size(h.nx, h.ny));
    if (h.nx > kPicMaxSide || h.ny > kPicMaxSide)
        return QStringLiteral("The file %1 holds images of %2 pixels; the largest that can be read "
                              "are %3 pixels.")
            .arg(Quoted(name), Size(h.nx, h.ny), Size(kPicMaxSide, kPicMaxSide));
    if (length < ImageStart(h, h.npics))
        return QStringLiteral("The file %1 is shorter than the %2 of %3 pixels its header "
                              "announces.")
            .arg(Quoted(name), Images(h.npics), Size(h.nx, h.ny));
    return QString();
}

PicSource FileSource(const QString& path) {
    return {QFileInfo(path).fileName(), [path] { return BinaryStream::OpenRead(path); },
            [path] { return FolderItem(path).NotAFile(); }};
}

CheckedStream OpenChecked(const PicSource& source, const PicHeader* expected,
                          const QString& expectedName) {
    CheckedStream out;
    if (source.notAFile && source.notAFile()) {
        out.problem = NotARegularFile(source.name);
        return out;
    }
    std::unique_ptr<BinaryStream> in = source.open ? source.open() : nullptr;
    if (!in) {
        out.problem = QStringLiteral("The file %1 cannot be opened.").arg(Quoted(source.name));
        return out;
    }
    const std::int64_t length = in->Length();
    if (length >= kPicHeaderWords) out.header = ReadPicHeader(*in);
    out.problem = PicProblem(source.name, out.header, length);
    if (out.problem.isEmpty() && expected) {
        const PicHeader& e = *expected;
        if (out.header.nx != e.nx || out.header.ny != e.ny)
            out.problem = QStringLiteral("%1 holds images of %2 pixels and %3 of %4 pixels: the "
                                         "channels of one picture must have one size.")
                              .arg(Quoted(source.name), Size(out.header.nx, out.header.ny),
                                   Quoted(expectedName), Size(e.nx, e.ny));
        else if (out.header.npics < e.npics)
            out.problem = QStringLiteral("%1 holds %2, fewer than the %3 of %4.")
                              .arg(Quoted(source.name), Images(out.header.npics), Str(e.npics),
                                   Quoted(expectedName));
    }
    if (out.problem.isEmpty()) out.stream = std::move(in);
    return out;
}

PicPlane ReadPlane(BinaryStream& in, int width, int height, bool* noMemory) {
    if (noMemory) *noMemory = false;
    PicPlane plane;
    if (width <= 0 || height <= 0) return plane;
    const std::int64_t count = static_cast<std::int64_t>(width) * height;
    // Every byte is read into it, so it is not cleared first.
    plane.bytes.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(count)]);
    if (!plane.bytes) {
        if (noMemory) *noMemory = true;
        return {};
    }
    if (in.ReadBytes(plane.bytes.get(), count) != count) return {};
    plane.width = width;
    plane.height = height;
    return plane;
}

PicturePtr UnfilledPicture(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return nullptr;
    return std::make_shared<Picture>(std::move(image));
}

PicturePtr PlanePicture(const PicPlane& plane, PlaneTint tint) {
    if (plane.Empty()) return nullptr;
    PicturePtr p = UnfilledPicture(plane.width, plane.height);
    if (!p) return nullptr;
    const int shift = tint == PlaneTint::Red ? 16 : tint == PlaneTint::Green ? 8 : 0;
    QImage& img = p->Image();
    for (int y = 0; y < plane.height; ++y) {
        const std::uint8_t* in = plane.Row(y);
        auto* out = reinterpret_cast<std::uint32_t*>(img.scanLine(y));
        for (int x = 0; x < plane.width; ++x) {
            const std::uint32_t v = in[x];
            out[x] = 0xFF000000u |
                     (tint == PlaneTint::Phase ? (v << 16) | (v << 8) | v : v << shift);
        }
    }
    return p;
}

}  // namespace qv
