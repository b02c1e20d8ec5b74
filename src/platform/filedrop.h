#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "platform/core/folderitem.h"

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;

namespace qv {

// A control's file drops: only files of the accepted file types are taken, and
// DropObject runs only when a drop carries at least one of them.
class FileDropTarget {
public:
    void AcceptFileDrop(const QString& fileType) { accepted_ << fileType; }
    QStringList AcceptedTypes() const { return accepted_; }
    // The files of a drop that the control accepts, in the order given.
    std::vector<FolderItemPtr> AcceptedFiles(const std::vector<FolderItemPtr>& files) const;
    // Delivers a drop of files (as the platform's drop does).
    void DropFiles(const std::vector<FolderItemPtr>& files);
    std::function<void(const std::vector<FolderItemPtr>&)> DropObject;

protected:
    // For the control's drag and drop events.
    void DragEntered(QDragEnterEvent* event) const;
    void DragMoved(QDragMoveEvent* event) const;
    void Dropped(QDropEvent* event);

private:
    QStringList accepted_;
};

}  // namespace qv
