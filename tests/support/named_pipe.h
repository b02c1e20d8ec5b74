#pragma once

#include <QFile>
#include <QString>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/folderitem.h"

namespace qv::test {

// A named pipe at a path, removed with the object. The object keeps it open
// for writing, so that a reader that opens it by mistake gets an empty stream
// and fails its checks instead of blocking the test for ever.
class NamedPipe {
public:
    explicit NamedPipe(const QString& path) : path_(path) {
        const QByteArray p = QFile::encodeName(path);
        if (::mkfifo(p.constData(), 0600) == 0) fd_ = ::open(p.constData(), O_RDWR | O_NONBLOCK);
    }
    ~NamedPipe() {
        if (fd_ >= 0) ::close(fd_);
        QFile::remove(path_);
    }
    NamedPipe(const NamedPipe&) = delete;
    NamedPipe& operator=(const NamedPipe&) = delete;

    bool Made() const { return fd_ >= 0; }
    FolderItemPtr Item() const { return FolderItem::FromPath(path_); }

private:
    QString path_;
    int fd_ = -1;
};

}  // namespace qv::test
