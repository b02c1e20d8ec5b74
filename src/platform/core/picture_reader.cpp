#include "platform/core/picture_reader.h"

#include <QBuffer>
#include <QImageReader>

namespace qv {

namespace {

QString Sides(QSize size) {
    return QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
}

// Decodes what the reader holds. The sides the file declares are checked
// before anything is decoded; the sides decoded are checked again for a file
// that declares none.
QImage Decode(QImageReader& reader, const QString& name, QString* problem) {
    QImageReader::setAllocationLimit(kPictureReaderLimitMB);
    reader.setDecideFormatFromContent(true);
    const QSize declared = reader.size();
    if (declared.isValid() && !PictureFits(declared)) {
        if (problem) *problem = PictureTooLarge(name, declared);
        return QImage();
    }
    QImage image = reader.read();
    if (!image.isNull() && !PictureFits(image.size())) {
        if (problem) *problem = PictureTooLarge(name, image.size());
        return QImage();
    }
    return image;
}

PicturePtr Held(const QImage& image, const QString& name, QString* problem) {
    if (image.isNull()) return nullptr;
    PicturePtr p = PictureFromImage(image);
    // Decoded, but the 32-bit copy could not be made: memory is short.
    if (!p && problem) *problem = PictureOutOfMemory(name, image.size());
    return p;
}

}  // namespace

bool PictureFits(QSize size) {
    return size.width() > 0 && size.height() > 0 &&
           static_cast<std::int64_t>(size.width()) * size.height() <= kMaxPicturePixels;
}

QString PictureTooLarge(const QString& name, QSize size) {
    return QStringLiteral(
               "\"%1\" is a picture of %2 pixels, more than this program can hold (at "
               "most %3 pixels, such as 16384 x 16384). It was not opened.")
        .arg(name, Sides(size))
        .arg(kMaxPicturePixels);
}

QString PictureOutOfMemory(const QString& name, QSize size) {
    return QStringLiteral(
               "\"%1\" (a picture of %2 pixels) could not be opened: there is not "
               "enough memory to hold it.")
        .arg(name, Sides(size));
}

PicturePtr ReadPicture(const QString& path, const QString& name, QString* problem) {
    QImageReader reader(path);
    return Held(Decode(reader, name, problem), name, problem);
}

PicturePtr ReadPictureBytes(const QByteArray& bytes, const QString& name, QString* problem) {
    return Held(ReadImageBytes(bytes, name, problem), name, problem);
}

QImage ReadImageBytes(const QByteArray& bytes, const QString& name, QString* problem) {
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly)) return QImage();
    QImageReader reader(&buffer);
    return Decode(reader, name, problem);
}

}  // namespace qv
