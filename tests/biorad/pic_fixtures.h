#pragma once

// PIC stacks built in code: a 76-byte header whose first three little-endian
// words are the width, height and image count, then the images' bytes.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

namespace qv::testing {

// A header alone, with the three words as given (any 16-bit values).
inline QByteArray PicHeaderBytes(int nx, int ny, int npics) {
    QByteArray b(76, '\0');
    auto word = [&b](int at, int v) {
        b[at] = static_cast<char>(v & 0xFF);
        b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
    };
    word(0, nx);
    word(2, ny);
    word(4, npics);
    return b;
}

// A whole stack; byte(i, x, y) is pixel (x, y) of image i.
inline QByteArray PicBytes(int nx, int ny, int npics,
                           const std::function<int(int i, int x, int y)>& byte) {
    QByteArray b = PicHeaderBytes(nx, ny, npics);
    b.reserve(76 + nx * ny * npics);
    for (int i = 0; i < npics; ++i)
        for (int y = 0; y < ny; ++y)
            for (int x = 0; x < nx; ++x) b.append(static_cast<char>(byte(i, x, y) & 0xFF));
    return b;
}

// The stack every reader and merge case uses: pixel (x, y) of image i is
// 100 i + 10 y + x (4 x 3, three images: pixel (3, 2) is 23, 123, 223).
inline QByteArray Stack433() {
    return PicBytes(4, 3, 3, [](int i, int x, int y) { return 100 * i + 10 * y + x; });
}

}  // namespace qv::testing
