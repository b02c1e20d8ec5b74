#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace qv {

// A named kind of file, as dialogs and drop targets name it. The Mac type and
// creator are kept as record fields only; files are matched by extension,
// ignoring case.
struct FileType {
    QString Name;
    QString Extensions;  // ".tif;.tiff"
    QString MacType;
    QString MacCreator;

    QStringList ExtensionList() const;
    bool Covers(const QString& fileName) const;
};

using FileTypePtr = std::shared_ptr<FileType>;

// The registered file types, in registration order.
class FileTypeRegistry {
public:
    static void Register(const FileTypePtr& type);
    static void Unregister(const FileTypePtr& type);
    static FileTypePtr Find(const QString& name);
    // The name of the first registered type covering the file name; a Bio-Rad
    // name (".pic") always reports "image/biorad" when that type is registered.
    static QString TypeOf(const QString& fileName);
    // Whether a file matches any of the types named in a ";"-separated list.
    static bool Accepts(const QString& typeNames, const QString& fileName);
    // Extensions ("*.tif") of the named types, for a dialog's filter.
    static QStringList Patterns(const QString& typeNames);

private:
    static std::vector<FileTypePtr>& Types();
};

}  // namespace qv
