#include "platform/core/binarystream.h"

#include <QBuffer>
#include <QFile>

#include "platform/core/folderitem.h"

namespace qv {

BinaryStream::BinaryStream(std::unique_ptr<QIODevice> device) : device_(std::move(device)) {}

BinaryStream::~BinaryStream() = default;

std::unique_ptr<BinaryStream> BinaryStream::OpenRead(const QString& path) {
    // Never opened: a pipe or a device, whose open or read could block for ever.
    if (FolderItem(path).NotAFile()) return nullptr;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly)) return nullptr;
    return std::unique_ptr<BinaryStream>(new BinaryStream(std::move(file)));
}

std::unique_ptr<BinaryStream> BinaryStream::FromBytes(const QByteArray& bytes) {
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(bytes);
    if (!buffer->open(QIODevice::ReadOnly)) return nullptr;
    return std::unique_ptr<BinaryStream>(new BinaryStream(std::move(buffer)));
}

std::int64_t BinaryStream::Length() const { return device_ ? device_->size() : 0; }

std::int64_t BinaryStream::Position() const { return device_ ? device_->pos() : 0; }

bool BinaryStream::SetPosition(std::int64_t position) {
    if (!device_ || position < 0) return false;
    return device_->seek(std::min(position, Length()));
}

std::int64_t BinaryStream::ReadBytes(std::uint8_t* into, std::int64_t count) {
    if (!device_ || count <= 0) return 0;
    std::int64_t done = 0;
    while (done < count) {
        const qint64 n = device_->read(reinterpret_cast<char*>(into) + done, count - done);
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int BinaryStream::ReadByte() {
    std::uint8_t b = 0;
    ReadBytes(&b, 1);
    return b;
}

std::int32_t BinaryStream::ReadShort() {
    std::uint8_t b[2] = {0, 0};
    ReadBytes(b, 2);
    const auto word = static_cast<std::uint16_t>(LittleEndian ? (b[1] << 8) | b[0] : (b[0] << 8) | b[1]);
    return static_cast<std::int16_t>(word);
}

void BinaryStream::Close() {
    if (device_) device_->close();
    device_.reset();
}

std::unique_ptr<BinaryStream> OpenAsBinaryFile(const FolderItem& file) {
    return BinaryStream::OpenRead(file.AbsolutePath());
}

}  // namespace qv
