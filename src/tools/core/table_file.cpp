#include "tools/core/table_file.h"

#include <QFile>

namespace qv {

QByteArray TableBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += '\n';
    }
    return bytes;
}

TableWrite WriteTable(const FolderItem& file, const QStringList& lines) {
    return file.WriteBytes(TableBytes(lines)) ? TableWrite::Done : TableWrite::CannotWrite;
}

TableWrite AppendTable(const FolderItem& file, const QStringList& lines) {
    QFile in(file.AbsolutePath());
    if (!in.open(QIODevice::ReadOnly)) return TableWrite::CannotRead;
    QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) return TableWrite::CannotRead;
    in.close();
    if (bytes.contains('\0')) return TableWrite::NotPlainText;
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r')) bytes += '\n';
    bytes += TableBytes(lines);
    // The whole file is written anew through a temporary file, so a failure
    // leaves the old content as it was.
    return file.WriteBytes(bytes) ? TableWrite::Done : TableWrite::CannotWrite;
}

QString TableWriteMessage(TableWrite result, const QString& fileName) {
    switch (result) {
        case TableWrite::Done: return QString();
        case TableWrite::CannotWrite:
            return QStringLiteral("The table could not be written to \"%1\".").arg(fileName);
        case TableWrite::CannotRead:
            return QStringLiteral("\"%1\" could not be read; nothing was added to it.").arg(fileName);
        case TableWrite::NotPlainText:
            return QStringLiteral(
                       "\"%1\" is not a plain text sheet; nothing was added to it. Choose a sheet "
                       "saved by this program.")
                .arg(fileName);
    }
    return QString();
}

}  // namespace qv
