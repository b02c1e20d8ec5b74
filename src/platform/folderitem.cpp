#include "platform/folderitem.h"

#include <QDir>
#include <QFileInfo>

#include "platform/filetypes.h"

namespace qv {

FolderItem::FolderItem(QString absolutePath) : path_(std::move(absolutePath)) {}

FolderItemPtr FolderItem::FromPath(const QString& path) {
    if (path.isEmpty()) return nullptr;
    return std::make_shared<FolderItem>(QFileInfo(path).absoluteFilePath());
}

QString FolderItem::Name() const { return QFileInfo(path_).fileName(); }

bool FolderItem::Exists() const { return QFileInfo::exists(path_); }

bool FolderItem::Directory() const { return QFileInfo(path_).isDir(); }

QString FolderItem::Type() const { return FileTypeRegistry::TypeOf(Name()); }

FolderItemPtr FolderItem::Parent() const {
    return std::make_shared<FolderItem>(QFileInfo(path_).absolutePath());
}

FolderItemPtr FolderItem::Child(const QString& name) const {
    return std::make_shared<FolderItem>(QDir(path_).filePath(name));
}

}  // namespace qv
