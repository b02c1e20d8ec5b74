// Writes the seed corpus of the PIC fuzz target into the folder named on the
// command line: small valid stacks and drops, and the broken files the intake
// must refuse.
#include <QDir>
#include <QFile>
#include <cstdio>

#include "biorad/pic_fixtures.h"
#include "pic_input.h"

using qv::fuzz::PicInput;
using qv::testing::PicBytes;
using qv::testing::PicHeaderBytes;
using qv::testing::Stack433;

namespace {

QByteArray Channel(int k, int nx = 4, int ny = 3, int npics = 1) {
    return PicBytes(nx, ny, npics, [k](int i, int x, int y) { return 100 * k + 40 * i + 10 * y + x; });
}

PicInput Drop(std::vector<QByteArray> files, int order = 0, int grey = 0, int omit = 0, int frame = 0) {
    PicInput in;
    in.order = order;
    in.greyRow = grey;
    in.omitRow = omit;
    in.frame = frame;
    in.files = std::move(files);
    return in;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s folder\n", argv[0]);
        return 2;
    }
    QByteArray truncated = Stack433();
    truncated.chop(1);
    const std::vector<PicInput> seeds = {
        Drop({Stack433()}),
        Drop({Stack433()}, 3, 2, 4),                  // "GBR", R=gray, B=black
        Drop({Stack433()}, 0, 4, 2),                  // RGX with R omitted
        Drop({Channel(0, 8, 4)}),                     // one image: shown grey
        Drop({Channel(0, 4, 3, 5)}, 5, 3, 3),         // five images, only three read
        Drop({Channel(2), Channel(0), Channel(1)}, 4),  // three files, sorted by name
        Drop({Channel(0, 4, 3, 3), Channel(1, 4, 3, 2)}, 1, 0, 3, 1),
        Drop({Channel(0, 4, 3, 2), Channel(1, 4, 3, 3)}),   // fewer images than the header file
        Drop({Channel(0, 5, 3), Channel(1, 4, 3)}),         // sizes differ
        Drop({Stack433(), Stack433(), Stack433(), Stack433()}),  // four files
        Drop({truncated}),
        Drop({PicHeaderBytes(0xFFFF, 3, 3) + QByteArray(36, '\0')}),  // width -1
        Drop({PicHeaderBytes(4, 3, 0)}),
        Drop({PicHeaderBytes(8192, 8192, 32767) + QByteArray(64, '\0')}),  // huge header, tiny file
        Drop({PicHeaderBytes(32767, 32767, 32767)}),
        Drop({QByteArray(5, '\x7f')}),
    };
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    int n = 0;
    for (const PicInput& seed : seeds) {
        QFile f(dir.filePath(QStringLiteral("seed%1").arg(++n, 2, 10, QLatin1Char('0'))));
        if (!f.open(QIODevice::WriteOnly) || f.write(qv::fuzz::EncodePicInput(seed)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
            return 1;
        }
    }
    return 0;
}
