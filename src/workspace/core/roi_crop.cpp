#include "workspace/core/roi_crop.h"

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <memory>

#include "platform/core/color.h"

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

OvalCrop CropOval(const PicturePtr& source, int imgsize, const RoiBox& box) {
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

PicturePtr PolygonMask(int imgsize, const std::vector<int>& points) {
    PicturePtr mask = NewPicture(imgsize, imgsize);
    if (!mask) return nullptr;
    Graphics& g = mask->Graphics();
    g.ForeColor = kMaskColor;
    g.FillPolygon(points);
    g.DrawPolygon(points);
    return mask;
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
