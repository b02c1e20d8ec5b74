#pragma once

// Tab-separated tables on disk: one line per row, each ending "\n", in UTF-8.
// A table is written whole or not at all; so is a table added to.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/core/folderitem.h"

namespace qv {

enum class TableWrite {
    Done,
    CannotWrite,   // the file could not be created or replaced
    CannotRead,    // the file to append to could not be read
    NotPlainText,  // the file to append to holds NUL bytes (a binary workbook)
};

QByteArray TableBytes(const QStringList& lines);

// Creates the file or replaces it. On failure `reason` (when given) says why.
TableWrite WriteTable(const FolderItem& file, const QStringList& lines, QString* reason = nullptr);

// Adds the lines after the file's content; content that does not end with a
// line end gets one first, so the new block starts on a line of its own. The
// old content and the new lines are written together as a new whole file.
TableWrite AppendTable(const FolderItem& file, const QStringList& lines, QString* reason = nullptr);

// The message for a failed write ("" for Done), with the reason when known.
QString TableWriteMessage(TableWrite result, const QString& fileName,
                          const QString& reason = QString());

}  // namespace qv
