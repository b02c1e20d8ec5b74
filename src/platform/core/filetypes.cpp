#include "platform/core/filetypes.h"

#include <algorithm>

namespace qv {

QStringList FileType::ExtensionList() const {
    QStringList out;
    for (const QString& e : Extensions.split(';', Qt::SkipEmptyParts)) out << e.trimmed();
    return out;
}

bool FileType::Covers(const QString& fileName) const {
    for (const QString& e : ExtensionList()) {
        if (fileName.length() > e.length() && fileName.endsWith(e, Qt::CaseInsensitive)) return true;
    }
    return false;
}

std::vector<FileTypePtr>& FileTypeRegistry::Types() {
    static std::vector<FileTypePtr> types;
    return types;
}

void FileTypeRegistry::Register(const FileTypePtr& type) {
    if (type) Types().push_back(type);
}

void FileTypeRegistry::Unregister(const FileTypePtr& type) {
    auto& t = Types();
    t.erase(std::remove(t.begin(), t.end(), type), t.end());
}

FileTypePtr FileTypeRegistry::Find(const QString& name) {
    for (const auto& t : Types())
        if (t->Name == name) return t;
    return nullptr;
}

QString FileTypeRegistry::TypeOf(const QString& fileName) {
    if (auto biorad = Find(QStringLiteral("image/biorad")); biorad && biorad->Covers(fileName))
        return biorad->Name;
    for (const auto& t : Types())
        if (t->Covers(fileName)) return t->Name;
    return QString();
}

bool FileTypeRegistry::Accepts(const QString& typeNames, const QString& fileName) {
    for (const QString& name : typeNames.split(';', Qt::SkipEmptyParts)) {
        if (auto t = Find(name.trimmed()); t && t->Covers(fileName)) return true;
    }
    return false;
}

QStringList FileTypeRegistry::Patterns(const QString& typeNames) {
    QStringList out;
    for (const QString& name : typeNames.split(';', Qt::SkipEmptyParts)) {
        if (auto t = Find(name.trimmed())) {
            for (const QString& e : t->ExtensionList()) {
                const QString pattern = QLatin1Char('*') + e;
                if (!out.contains(pattern, Qt::CaseInsensitive)) out << pattern;
            }
        }
    }
    return out;
}

}  // namespace qv
