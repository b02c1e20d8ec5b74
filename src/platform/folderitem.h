#pragma once

#include <QString>
#include <memory>

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
    // Name of the registered file type that covers this file's extension ("" for none).
    QString Type() const;
    FolderItemPtr Parent() const;
    FolderItemPtr Child(const QString& name) const;

private:
    QString path_;
};

}  // namespace qv
