// libFuzzer target: the import window's intake checks, plane reads, merges and
// a single file's grey frames over dropped files and channel choices taken from
// the input. Besides the sanitizers it checks that a drop the intake takes
// always merges, pixel for pixel as the letters say, and that a changed file is
// always refused.
#include <QStringList>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "biorad/core/channel_merge.h"
#include "biorad/core/pic_intake.h"
#include "pic_input.h"

namespace {

using namespace qv;

void Require(bool ok) {
    if (!ok) std::abort();
}

PicSource Memory(const QString& name, const QByteArray& bytes) {
    return {name, [bytes] { return BinaryStream::FromBytes(bytes); }};
}

// The byte of image `image` at (x, y) of a file, as the merge must read it.
int Byte(const QByteArray& file, const PicHeader& h, int image, int x, int y) {
    return static_cast<std::uint8_t>(file.at(ImageStart(h, image) + static_cast<std::int64_t>(y) * h.nx + x));
}

// Compares a merge with the letters applied to the files' bytes directly.
void CheckMerged(const PicturePtr& pix, const PicHeader& h, const QString& letters,
                 const std::vector<QByteArray>& files, int frame) {
    Require(pix && pix->Width() == h.nx && pix->Height() == h.ny);
    const bool several = files.size() > 1;
    const int positions = several ? static_cast<int>(files.size()) : std::min(h.npics, 3);
    for (int y = 0; y < h.ny; ++y)
        for (int x = 0; x < h.nx; ++x) {
            int rgb[3] = {0, 0, 0}, grey = 0;
            for (int k = 0; k < positions && k < letters.size(); ++k) {
                const QByteArray& f = several ? files[static_cast<std::size_t>(k)] : files[0];
                const int v = Byte(f, h, several ? frame : k, x, y);
                switch (letters.at(k).toLatin1()) {
                    case 'R': rgb[0] = v; break;
                    case 'G': rgb[1] = v; break;
                    case 'B': rgb[2] = v; break;
                    case 'X': grey = v; break;
                    default: break;
                }
            }
            Require(pix->RGBSurface()->Pixel(x, y) == RGB(rgb[0] + grey, rgb[1] + grey, rgb[2] + grey));
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::PicInput input;
    if (!fuzz::ParsePicInput(data, size, &input)) return 0;
    static const QString kNames[] = {QStringLiteral("c.pic"), QStringLiteral("a.pic"),
                                     QStringLiteral("b.pic"), QStringLiteral("d.pic")};
    std::vector<PicSource> dropped;
    for (std::size_t k = 0; k < input.files.size(); ++k)
        dropped.push_back(Memory(kNames[k], input.files[k]));

    const IntakeCheck check = CheckDroppedFiles(dropped);
    if (!check.problem.isEmpty()) return 0;
    const PicHeader h = check.header;
    Require(h.nx > 0 && h.ny > 0 && h.npics > 0 && h.nx <= kPicMaxSide && h.ny <= kPicMaxSide);
    (void)ProcessingText(h);
    (void)ImportSizing(h.nx, h.ny, 1280, 1024);

    QStringList statuses;
    MergeHooks hooks;
    hooks.status = [&statuses](const QString& s) { statuses << s; };
    const QString letters =
        ChannelLetters(QLatin1String(kChannelOrders[input.order]), input.greyRow, input.omitRow);

    std::vector<QByteArray> files;  // in the order the window keeps them
    std::vector<PicSource> ordered;
    for (int k : check.order) {
        files.push_back(input.files[static_cast<std::size_t>(k)]);
        ordered.push_back(dropped[static_cast<std::size_t>(k)]);
    }

    if (ordered.size() == 1) {
        // The intake's grey picture of a one-image file.
        CheckedStream in = OpenChecked(ordered[0], &h, ordered[0].name);
        Require(in.stream != nullptr);
        in.stream->SetPosition(kPicPixelStart);
        if (h.npics == 1) Require(PlanePicture(ReadPlane(*in.stream, h.nx, h.ny), PlaneTint::Phase) != nullptr);
        const MergeResult r = RenderStack(ordered[0], h, letters, hooks);
        Require(r.problem.isEmpty());
        CheckMerged(r.pix, h, letters, files, 0);
        // A frame of the file's series: its image in grey.
        const int frame = input.frame % h.npics;
        const MergeResult grey = RenderImage(ordered[0], h, frame, hooks);
        Require(grey.pix && grey.pix->Width() == h.nx && grey.pix->Height() == h.ny);
        for (int y = 0; y < h.ny; ++y)
            for (int x = 0; x < h.nx; ++x) {
                const int v = Byte(files[0], h, frame, x, y);
                Require(grey.pix->RGBSurface()->Pixel(x, y) == RGB(v, v, v));
            }
        // A file whose header no longer matches is refused.
        PicHeader changed = h;
        ++changed.npics;
        Require(!RenderStack(ordered[0], changed, letters).pix);
        Require(!RenderImage(ordered[0], changed, frame).pix);
    } else {
        const int frame = input.frame % h.npics;
        const MergeResult r = RenderFiles(ordered, h, frame, letters, hooks);
        Require(r.problem.isEmpty());
        CheckMerged(r.pix, h, letters, files, frame);
        PicHeader changed = h;
        ++changed.nx;
        bool opens = false;  // a file of letter "K" is never opened, so never checked
        for (std::size_t k = 0; k < ordered.size() && k < static_cast<std::size_t>(letters.size()); ++k)
            opens = opens || letters.at(static_cast<qsizetype>(k)) != QLatin1Char('K');
        Require(!opens || !RenderFiles(ordered, changed, frame, letters).pix);
    }
    Require(!statuses.isEmpty() && statuses.last() == MergedStatus());
    return 0;
}
