#pragma once

// Every picture the program reads, from a file or from bytes, goes through
// one reader set up one way: the format is told from the content, and the
// reader admits every picture the program can hold. A picture it cannot hold
// is refused before it is decoded, with a message that says so.

#include <QByteArray>
#include <QIODevice>
#include <QSize>
#include <QString>
#include <cstdint>

#include "platform/core/picture.h"

namespace qv {

// The most pixels a picture may have: as a 32-bit picture it then takes at
// most 1 GiB (16384 x 16384, for instance). A picture opened keeps its own
// size in the workspace, so this bounds every picture the program holds.
constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 28;

// The reader's own allocation limit, in megabytes: what the widest form a
// decoder may produce (16 bytes a pixel, four 32-bit float channels) of the
// largest picture held takes before it becomes a 32-bit picture.
constexpr int kPictureReaderLimitMB = static_cast<int>(kMaxPicturePixels * 16 / (1024 * 1024));

// Whether a picture of these sides can be held.
bool PictureFits(QSize size);

// The messages for a picture that is refused: it has more pixels than the
// program holds; or it fits but the memory to hold it could not be had.
QString PictureTooLarge(const QString& name, QSize size);
QString PictureOutOfMemory(const QString& name, QSize size);

// Reads the picture in the file at `path` (the first page of a multi-page
// file) as a 32-bit RGB picture. None when it is missing or does not decode;
// none, and the reason in `problem` (when given), when the program cannot hold
// it. `name` names the picture in that message.
PicturePtr ReadPicture(const QString& path, const QString& name, QString* problem = nullptr);
// The same for a picture's bytes.
PicturePtr ReadPictureBytes(const QByteArray& bytes, const QString& name,
                            QString* problem = nullptr);
// The same, decoded as it comes (not converted), for what needs its own format.
QImage ReadImageBytes(const QByteArray& bytes, const QString& name, QString* problem = nullptr);

}  // namespace qv
