#include "platform/filedrop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "platform/core/filetypes.h"

namespace qv {

namespace {

std::vector<FolderItemPtr> FilesOf(const QMimeData* mime) {
    std::vector<FolderItemPtr> files;
    if (!mime || !mime->hasUrls()) return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) files.push_back(FolderItem::FromPath(url.toLocalFile()));
    return files;
}

}  // namespace

std::vector<FolderItemPtr> FileDropTarget::AcceptedFiles(const std::vector<FolderItemPtr>& files) const {
    std::vector<FolderItemPtr> out;
    for (const FolderItemPtr& f : files) {
        if (!f) continue;
        for (const QString& type : accepted_) {
            if (FileTypeRegistry::Accepts(type, f->Name())) {
                out.push_back(f);
                break;
            }
        }
    }
    return out;
}

void FileDropTarget::DropFiles(const std::vector<FolderItemPtr>& files) {
    const std::vector<FolderItemPtr> accepted = AcceptedFiles(files);
    if (!accepted.empty() && DropObject) DropObject(accepted);
}

void FileDropTarget::DragEntered(QDragEnterEvent* event) const {
    if (!AcceptedFiles(FilesOf(event->mimeData())).empty()) event->acceptProposedAction();
}

void FileDropTarget::DragMoved(QDragMoveEvent* event) const {
    if (!AcceptedFiles(FilesOf(event->mimeData())).empty()) event->acceptProposedAction();
}

void FileDropTarget::Dropped(QDropEvent* event) {
    const auto files = FilesOf(event->mimeData());
    if (AcceptedFiles(files).empty()) return;
    event->acceptProposedAction();
    DropFiles(files);
}

}  // namespace qv
