#include "platform/core/picture.h"

#include <malloc.h>

#include <algorithm>

#include "platform/core/graphics.h"

namespace qv {

Color RgbSurface::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) return kBlack;
    return reinterpret_cast<const QRgb*>(image_->constScanLine(y))[x] & 0xFFFFFFu;
}

void RgbSurface::SetPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) return;
    reinterpret_cast<QRgb*>(image_->scanLine(y))[x] = 0xFF000000u | (c & 0xFFFFFFu);
}

Picture::Picture(QImage image) : image_(std::move(image)), surface_(&image_) {}

Picture::~Picture() = default;

qv::Graphics& Picture::Graphics() {
    if (!graphics_) graphics_ = std::make_unique<qv::Graphics>(&image_);
    return *graphics_;
}

PicturePtr Picture::Mask() {
    if (!mask_) {
        mask_ = NewPicture(Width(), Height());
        if (mask_) mask_->Image().fill(0xFF000000u);
    }
    return mask_;
}

PicturePtr NewPicture(int width, int height, int /*depth*/) {
    if (width <= 0 || height <= 0) return nullptr;
    QImage image(width, height, QImage::Format_RGB32);  // uninitialised until filled
    if (image.isNull()) return nullptr;
    // Filled here rather than by QImage::fill, which on some processors leaves the
    // vector registers in a state that slows every later SSE loop about fivefold.
    auto* first = reinterpret_cast<QRgb*>(image.bits());
    std::fill(first, first + image.sizeInBytes() / sizeof(QRgb), kOpaqueWhite);
    return std::make_shared<Picture>(std::move(image));
}

void KeepPictureMemory() {
    mallopt(M_MMAP_THRESHOLD, 32 << 20);  // the most glibc allows
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
}

PicturePtr PictureFromImage(const QImage& image) {
    if (image.isNull()) return nullptr;
    QImage converted = image.convertToFormat(QImage::Format_RGB32);
    if (converted.isNull()) return nullptr;
    // Force a private buffer so no other QImage shares (and detaches from) it.
    converted.detach();
    return std::make_shared<Picture>(std::move(converted));
}

}  // namespace qv
