#pragma once

// Bio-Rad PIC stacks: the header words, where each image lies, the checks a
// file passes before anything is read from it, and the plane reads.

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/core/binarystream.h"
#include "platform/core/picture.h"

namespace qv {

// Image 0 begins after the 76-byte header.
constexpr std::int64_t kPicPixelStart = 76;
// The header words read: width, height and image count.
constexpr std::int64_t kPicHeaderWords = 6;
// The largest width and height read. A merge holds a result and up to four
// planes of this size at once.
constexpr int kPicMaxSide = 8192;

struct PicHeader {
    std::int32_t nx = 0, ny = 0, npics = 0;
    friend bool operator==(const PicHeader&, const PicHeader&) = default;
};

// Bytes of one image, and the offset of image i (from 0), in 64 bits.
constexpr std::int64_t PlaneBytes(const PicHeader& h) {
    return static_cast<std::int64_t>(h.nx) * h.ny;
}
constexpr std::int64_t ImageStart(const PicHeader& h, std::int64_t i) {
    return kPicPixelStart + i * PlaneBytes(h);
}

// The three little-endian words from the start of the stream, sign-extended.
// Leaves the stream after them.
PicHeader ReadPicHeader(BinaryStream& in);

// Why a file of this length with this header cannot be read as a stack ("" when
// it can): too short for its header or for the images it announces, a width,
// height or count of 0 or less, or images larger than kPicMaxSide.
QString PicProblem(const QString& name, const PicHeader& h, std::int64_t length);

// A file to read, by name; open() gives a fresh stream, or none when the file
// cannot be opened.
struct PicSource {
    QString name;
    std::function<std::unique_ptr<BinaryStream>()> open;
    // Whether something other than a file is there, asked before it is
    // opened; none for a source that is always a file.
    std::function<bool()> notAFile = {};
};
// A file on disk.
PicSource FileSource(const QString& path);

// A stream checked against the header of the stack it belongs to: a PIC stack
// of the same width and height holding at least its images.
struct CheckedStream {
    std::unique_ptr<BinaryStream> stream;  // none when the check failed
    PicHeader header;                      // the file's own header
    QString problem;
};
// Opens and checks a file on its own (expected null), or as one of a stack
// whose header came from the file named expectedName.
CheckedStream OpenChecked(const PicSource& source, const PicHeader* expected = nullptr,
                          const QString& expectedName = QString());

// One 8-bit image, rows from the top, each from its left pixel.
struct PicPlane {
    int width = 0, height = 0;
    std::unique_ptr<std::uint8_t[]> bytes;  // width * height, none for an empty plane
    bool Empty() const { return !bytes; }
    const std::uint8_t* Row(int y) const {
        return bytes.get() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    }
};

// Reads width x height bytes from where the stream stands, so reads one after
// another give consecutive images. Empty when the stream ends first or memory
// is short (then *noMemory is set).
PicPlane ReadPlane(BinaryStream& in, int width, int height, bool* noMemory = nullptr);

// The colour a plane reader gives a byte v: red (v,0,0), green (0,v,0), blue
// (0,0,v), phase (v,v,v).
enum class PlaneTint { Red, Green, Blue, Phase };

// A plane as a new picture in one reader's colour; none when memory is short.
PicturePtr PlanePicture(const PicPlane& plane, PlaneTint tint);

// A picture of this size whose every pixel the caller writes; none when the
// size is 0 or less or memory is short.
PicturePtr UnfilledPicture(int width, int height);

}  // namespace qv
