#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

class QIODevice;

namespace qv {

class FolderItem;

// A stream of bytes read from a file (opened for reading only) or from memory.
// Reads past the end give 0 and leave the position at the end.
class BinaryStream {
public:
    // A file opened for reading; none when it cannot be opened.
    static std::unique_ptr<BinaryStream> OpenRead(const QString& path);
    // Bytes in memory; the stream shares them, it does not copy.
    static std::unique_ptr<BinaryStream> FromBytes(const QByteArray& bytes);
    ~BinaryStream();
    BinaryStream(const BinaryStream&) = delete;
    BinaryStream& operator=(const BinaryStream&) = delete;

    // True: the first byte of a 16-bit word is its low byte.
    bool LittleEndian = false;

    std::int64_t Length() const;
    // Byte offset from the start.
    std::int64_t Position() const;
    // Moves to an offset, at most the length; false when the stream cannot.
    bool SetPosition(std::int64_t position);
    // Two bytes as a signed word, sign-extended (0xFFFF is -1).
    std::int32_t ReadShort();
    // One byte, 0 to 255.
    int ReadByte();
    // Reads up to count bytes in one call; returns how many were read.
    std::int64_t ReadBytes(std::uint8_t* into, std::int64_t count);
    void Close();

private:
    explicit BinaryStream(std::unique_ptr<QIODevice> device);
    std::unique_ptr<QIODevice> device_;
};

// FolderItem.OpenAsBinaryFile: the file for reading only, or none.
std::unique_ptr<BinaryStream> OpenAsBinaryFile(const FolderItem& file);

}  // namespace qv
