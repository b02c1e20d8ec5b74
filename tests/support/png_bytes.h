#pragma once

// PNG files made byte by byte for the picture reader's tests: a flat colour
// of any size, made in a moment (every row after the first repeats the one
// above, which compresses to almost nothing), and a file whose header claims
// sides it does not hold.

#include <QByteArray>
#include <QtEndian>
#include <cstdint>

namespace qv::test {

inline std::uint32_t PngCrc(const QByteArray& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<std::uint8_t>(c);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline QByteArray PngChunk(const char* type, const QByteArray& data) {
    QByteArray out(4, '\0');
    qToBigEndian(static_cast<std::uint32_t>(data.size()), out.data());
    const QByteArray body = QByteArray(type, 4) + data;
    out += body;
    QByteArray crc(4, '\0');
    qToBigEndian(PngCrc(body), crc.data());
    return out + crc;
}

// A PNG of 8-bit RGB whose header says width x height and whose image data
// are `idat` (a zlib stream).
inline QByteArray PngWith(int width, int height, const QByteArray& idat) {
    QByteArray header(13, '\0');
    qToBigEndian(static_cast<std::uint32_t>(width), header.data());
    qToBigEndian(static_cast<std::uint32_t>(height), header.data() + 4);
    header[8] = 8;  // bits per channel
    header[9] = 2;  // RGB
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) + PngChunk("IDAT", idat) +
           PngChunk("IEND", QByteArray());
}

// A width x height PNG of one colour.
inline QByteArray FlatPng(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const qsizetype row = 1 + 3 * static_cast<qsizetype>(width);
    QByteArray raw(row * height, '\0');
    for (int x = 0; x < width; ++x) {  // row 0, filter None
        raw[1 + 3 * x] = static_cast<char>(r);
        raw[2 + 3 * x] = static_cast<char>(g);
        raw[3 + 3 * x] = static_cast<char>(b);
    }
    for (int y = 1; y < height; ++y) raw[y * row] = 2;  // filter Up: the row above again
    // qCompress puts the length before the zlib stream.
    return PngWith(width, height, qCompress(raw, 1).mid(4));
}

// A PNG whose header claims width x height, with a few bytes of image data.
inline QByteArray ClaimingPng(int width, int height) {
    return PngWith(width, height, qCompress(QByteArray(16, '\0'), 1).mid(4));
}

}  // namespace qv::test
