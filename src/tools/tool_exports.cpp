#include "tools/tool_exports.h"

#include "platform/controls.h"
#include "platform/services.h"
#include "platform/window.h"

namespace qv {

std::vector<TextControl> TextControlsOf(const Window& window, bool labels) {
    std::vector<TextControl> out;
    for (int i = 0; i < window.ControlCount(); ++i) {
        QObject* c = window.ControlAt(i);
        if (auto* field = qobject_cast<EditField*>(c)) {
            out.push_back({TextControl::Kind::Field, field->Text(), ControlLeft(field),
                           ControlTop(field), kBlack});
        } else if (auto* label = qobject_cast<StaticText*>(c); label && labels) {
            out.push_back({TextControl::Kind::Label, label->Text(), ControlLeft(label),
                           ControlTop(label), label->TextColor()});
        }
    }
    return out;
}

void ExportTextPicture(const Window& window, int width, int height, bool labels,
                       const QString& clipboardLabel) {
    const std::vector<TextControl> controls = TextControlsOf(window, labels);
    const PicturePtr p = DrawTextPicture(width, height, TextPictureLayout(controls));
    Platform().SetClipboardText(clipboardLabel);
    if (p) ExportPicture(p);
}

namespace {

bool Report(TableWrite result, const FolderItem& file, const QString& reason,
            const QString& afterword = QString()) {
    if (result == TableWrite::Done) return true;
    const QString message = TableWriteMessage(result, file.Name(), reason);
    MsgBox(afterword.isEmpty() ? message : message + QLatin1Char(' ') + afterword);
    return false;
}

}  // namespace

bool SaveTable(const FolderItem& file, const QStringList& lines) {
    QString reason;
    const TableWrite result = WriteTable(file, lines, &reason);
    return Report(result, file, reason);
}

bool AppendToTable(const FolderItem& file, const QStringList& lines, const QString& afterword) {
    QString reason;
    const TableWrite result = AppendTable(file, lines, &reason);
    return Report(result, file, reason, afterword);
}

}  // namespace qv
