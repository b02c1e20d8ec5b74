#pragma once

// The fuzz input: four bytes of choices, then the dropped files' bytes.
//   byte 0  channel order row (mod 6)
//   byte 1  grey menu row (mod 8, less 1: -1 to 6)
//   byte 2  omission menu row (likewise)
//   byte 3  file count (1 + low two bits: 1 to 4) and frame (the rest)
// Every file but the last is preceded by its length (two bytes, little-endian);
// the last takes what remains.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv::fuzz {

struct PicInput {
    int order = 0, greyRow = -1, omitRow = -1, frame = 0;
    std::vector<QByteArray> files;
};

inline bool ParsePicInput(const std::uint8_t* data, std::size_t size, PicInput* out) {
    if (size < 4) return false;
    out->order = data[0] % 6;
    out->greyRow = data[1] % 8 - 1;
    out->omitRow = data[2] % 8 - 1;
    const int count = 1 + (data[3] & 3);
    out->frame = data[3] >> 2;
    std::size_t at = 4;
    for (int k = 0; k < count; ++k) {
        std::size_t length = size - at;
        if (k < count - 1) {
            if (size - at < 2) return false;
            length = std::min<std::size_t>(data[at] | (data[at + 1] << 8), size - at - 2);
            at += 2;
        }
        out->files.push_back(QByteArray(reinterpret_cast<const char*>(data + at),
                                        static_cast<qsizetype>(length)));
        at += length;
    }
    return true;
}

inline QByteArray EncodePicInput(const PicInput& in) {
    QByteArray out;
    out.append(static_cast<char>(in.order));
    out.append(static_cast<char>(in.greyRow + 1));
    out.append(static_cast<char>(in.omitRow + 1));
    out.append(static_cast<char>(((in.files.size() - 1) & 3) | (in.frame << 2)));
    for (std::size_t k = 0; k < in.files.size(); ++k) {
        const QByteArray& f = in.files[k];
        if (k + 1 < in.files.size()) {
            out.append(static_cast<char>(f.size() & 0xFF));
            out.append(static_cast<char>((f.size() >> 8) & 0xFF));
        }
        out.append(f);
    }
    return out;
}

}  // namespace qv::fuzz
