#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "platform/core/picture.h"

namespace qv {

class FolderItem;
using FolderItemPtr = std::shared_ptr<const FolderItem>;

// A reference to a file or folder by its absolute path. The file need not exist.
class FolderItem {
public:
    explicit FolderItem(QString absolutePath);

    static FolderItemPtr FromPath(const QString& path);

    QString AbsolutePath() const { return path_; }
    QString Name() const;  // the last path component
    bool Exists() const;
    bool Directory() const;
    // Something other than a file (or a link to one) is here: a folder, a pipe
    // or a device, which the intakes never open (a pipe would block the reader).
    bool NotAFile() const;
    // Name of the registered file type that covers this file's extension ("" for none).
    QString Type() const;
    FolderItemPtr Parent() const;
    FolderItemPtr Child(const QString& name) const;

    // The file decoded as a 32-bit RGB picture (the first page of a multi-page
    // file) by the program's one picture reader; none when it is missing or
    // cannot be decoded, and none with the reason in `problem` (when given)
    // when the picture is more than the program can hold.
    PicturePtr OpenAsPicture(QString* problem = nullptr) const;
    // Creates or replaces the file with these bytes, whole or not at all
    // (WholeFileWriter); false when it cannot, with the reason in `error`.
    bool WriteBytes(const QByteArray& bytes, QString* error = nullptr) const;
    // Creates this item as a new, empty folder; false when anything exists
    // here already or the folder cannot be made.
    bool CreateAsFolder() const;
    // Removes this item when it is a file or an empty folder; false otherwise.
    bool Delete() const;

private:
    QString path_;
};

// What the intakes answer for an item that is not a regular file.
QString NotARegularFile(const QString& name);

// A new file in this run's temporary folder (removed when the program ends).
FolderItemPtr GetTemporaryFolderItem(const QString& suffix = QString());

}  // namespace qv
