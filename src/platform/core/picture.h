#pragma once

#include <QImage>
#include <QString>
#include <memory>

#include "platform/core/color.h"

namespace qv {

class Picture;
class Graphics;
using PicturePtr = std::shared_ptr<Picture>;

// Pixel access of a picture. Reads outside the picture give black and writes
// outside it are dropped, so no pass can touch memory beyond the picture.
class RgbSurface {
public:
    explicit RgbSurface(QImage* image) : image_(image) {}
    Color Pixel(int x, int y) const;
    void SetPixel(int x, int y, Color c);

private:
    QImage* image_;
};

// A 32-bit RGB picture shared by reference: every holder of the pointer sees
// the same pixels. Pixels are stored as Qt's RGB32 (alpha byte 0xFF) and read
// as 0x00RRGGBB.
class Picture {
public:
    // Use NewPicture; the constructor takes an already allocated image.
    explicit Picture(QImage image);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }

    qv::Graphics& Graphics();
    RgbSurface* RGBSurface() { return &surface_; }

    // The underlying image for scanline passes. Never copy it into another
    // QImage that is then written: the copy would detach from this picture.
    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }

    // 1: white pixels are not drawn when this picture is drawn into another.
    int Transparent = 0;

    // The picture's mask, made on first use at the picture's size and all
    // black. When the picture is drawn into another, each pixel is blended by
    // its mask pixel, per component: black shows the pixel, white leaves what
    // lies below, a grey between mixes the two.
    PicturePtr Mask();
    bool HasMask() const { return mask_ != nullptr; }

private:
    QImage image_;
    PicturePtr mask_;
    RgbSurface surface_;
    std::unique_ptr<qv::Graphics> graphics_;
};

// A white picture, or none for a width or height <= 0 or when memory is short.
// The depth argument is accepted for the callers' sake; pictures are always 32 bits.
PicturePtr NewPicture(int width, int height, int depth = 32);

// Keeps the memory of dropped pictures for the next ones instead of handing it
// back to the system: a ROI release makes and drops pictures of several MB, and
// memory fetched afresh is paid for again page by page. Called once at start.
void KeepPictureMemory();

// A picture holding a copy of an image, converted to 32-bit RGB; none for a null image.
PicturePtr PictureFromImage(const QImage& image);

}  // namespace qv

// Drawing through Picture::Graphics() needs the whole Graphics class.
#include "platform/core/graphics.h"  // IWYU pragma: export
