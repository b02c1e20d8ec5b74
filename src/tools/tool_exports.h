// The exports the tool windows share: text pictures of their controls and tables.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "platform/core/folderitem.h"
#include "tools/core/table_file.h"
#include "tools/core/text_picture.h"

namespace qv {

class Window;

// The window's controls in creation order as a text picture reads them: edit
// fields as fields; static texts as labels when `labels` is set (otherwise
// they are not drawn, nor is anything else).
std::vector<TextControl> TextControlsOf(const Window& window, bool labels);

// Draws the controls' texts into a new white width x height picture, puts the
// label on the clipboard and hands the picture to the picture save dialog.
void ExportTextPicture(const Window& window, int width, int height, bool labels,
                       const QString& clipboardLabel);

// Creates or replaces the table file, or adds to it; a failure is reported in
// a message box, followed by `afterword` when one is given. True when the
// table was written.
bool SaveTable(const FolderItem& file, const QStringList& lines);
bool AppendToTable(const FolderItem& file, const QStringList& lines,
                   const QString& afterword = QString());

}  // namespace qv
