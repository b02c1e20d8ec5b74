#include "platform/core/folderitem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUuid>

#include "platform/core/filetypes.h"
#include "platform/core/picture_reader.h"
#include "platform/core/whole_file_writer.h"

namespace qv {

FolderItem::FolderItem(QString absolutePath) : path_(std::move(absolutePath)) {}

FolderItemPtr FolderItem::FromPath(const QString& path) {
    if (path.isEmpty()) return nullptr;
    return std::make_shared<FolderItem>(QFileInfo(path).absoluteFilePath());
}

QString FolderItem::Name() const { return QFileInfo(path_).fileName(); }

bool FolderItem::Exists() const { return QFileInfo::exists(path_); }

bool FolderItem::Directory() const { return QFileInfo(path_).isDir(); }

bool FolderItem::NotAFile() const {
    const QFileInfo info(path_);
    return info.exists() && !info.isFile();
}

QString NotARegularFile(const QString& name) {
    return QStringLiteral("\"%1\" is not a regular file (it may be a folder, a pipe or a device) "
                          "and cannot be opened.")
        .arg(name);
}

QString FolderItem::Type() const { return FileTypeRegistry::TypeOf(Name()); }

FolderItemPtr FolderItem::Parent() const {
    return std::make_shared<FolderItem>(QFileInfo(path_).absolutePath());
}

FolderItemPtr FolderItem::Child(const QString& name) const {
    return std::make_shared<FolderItem>(QDir(path_).filePath(name));
}

PicturePtr FolderItem::OpenAsPicture(QString* problem) const {
    if (!QFileInfo(path_).isFile()) return nullptr;
    return ReadPicture(path_, Name(), problem);
}

bool FolderItem::WriteBytes(const QByteArray& bytes, QString* error) const {
    return WriteFileWhole(path_, bytes, error);
}

bool FolderItem::CreateAsFolder() const {
    if (QFileInfo(path_).exists() || QFileInfo(path_).isSymLink()) return false;
    return QDir().mkdir(path_);
}

bool FolderItem::Delete() const {
    const QFileInfo info(path_);
    if (info.isDir() && !info.isSymLink()) return QDir().rmdir(path_);
    return QFile::remove(path_);
}

FolderItemPtr GetTemporaryFolderItem(const QString& suffix) {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/quorvane-XXXXXX"));
    if (!dir.isValid()) return nullptr;
    const QString name = QUuid::createUuid().toString(QUuid::WithoutBraces) + suffix;
    return std::make_shared<FolderItem>(dir.filePath(name));
}

}  // namespace qv
