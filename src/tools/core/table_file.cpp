#include "tools/core/table_file.h"

#include <QFile>
#include <QFileInfo>

#include "platform/core/whole_file_writer.h"

namespace qv {

QByteArray TableBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += '\n';
    }
    return bytes;
}

TableWrite WriteTable(const FolderItem& file, const QStringList& lines, QString* reason) {
    return file.WriteBytes(TableBytes(lines), reason) ? TableWrite::Done : TableWrite::CannotWrite;
}

TableWrite AppendTable(const FolderItem& file, const QStringList& lines, QString* reason) {
    // Only a regular file is read: a pipe or a device would block or never end.
    if (!QFileInfo(file.AbsolutePath()).isFile()) {
        if (reason) *reason = QStringLiteral("it is not a regular file");
        return TableWrite::CannotRead;
    }
    QFile in(file.AbsolutePath());
    if (!in.open(QIODevice::ReadOnly)) {
        if (reason) *reason = in.errorString();
        return TableWrite::CannotRead;
    }
    QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        if (reason) *reason = in.errorString();
        return TableWrite::CannotRead;
    }
    in.close();
    if (bytes.contains('\0')) return TableWrite::NotPlainText;
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r')) bytes += '\n';
    bytes += TableBytes(lines);
    return file.WriteBytes(bytes, reason) ? TableWrite::Done : TableWrite::CannotWrite;
}

QString TableWriteMessage(TableWrite result, const QString& fileName, const QString& reason) {
    switch (result) {
        case TableWrite::Done: return QString();
        case TableWrite::CannotWrite:
            return CouldNotWriteMessage(QStringLiteral("table"), fileName, reason);
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
