#include "platform/core/whole_file_writer.h"

#include <fcntl.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <cerrno>
#include <cstdio>
#include <mutex>

namespace qv {

struct WriteFaultState {
    WriteFault fault;
    int seen = 0;
    int struck = 0;
};

namespace {

// Bytes gathered before they go to the disk in one checked write.
constexpr qint64 kChunk = 64 * 1024;

std::mutex& FaultMutex() {
    static std::mutex m;
    return m;
}

std::shared_ptr<WriteFaultState>& ActiveFault() {
    static std::shared_ptr<WriteFaultState> active;
    return active;
}

// The installed fault when it strikes the writer of this target, else none.
std::shared_ptr<WriteFaultState> FaultFor(const QString& target) {
    std::lock_guard lock(FaultMutex());
    const std::shared_ptr<WriteFaultState>& state = ActiveFault();
    if (!state) return nullptr;
    const WriteFault& f = state->fault;
    if (!QFileInfo(target).fileName().endsWith(f.nameEndsWith, Qt::CaseInsensitive)) return nullptr;
    if (state->seen++ < f.skip) return nullptr;
    if (f.times >= 0 && state->struck >= f.times) return nullptr;
    ++state->struck;
    return state;
}

QString SystemError(int code) {
    return qt_error_string(code);
}

QString RandomTag() {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString tag;
    for (int i = 0; i < 6; ++i)
        tag += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(36)]);
    return tag;
}

// The file a path names once its links are followed, link by link, so that a
// link whose file does not exist yet names the file to create.
QFileInfo FollowLinks(const QString& path) {
    QFileInfo info(path);
    for (int hops = 0; info.isSymLink() && hops < 40; ++hops)
        info = QFileInfo(info.symLinkTarget());
    return info;
}

// Flushes the file's buffer to the system and syncs it to the disk;
// `failSync` reports the sync as failed whatever it did (the test seam).
bool FlushAndSync(QFileDevice& file, bool failSync, QString* error) {
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        if (error) *error = file.errorString();
        return false;
    }
    int synced = ::fsync(file.handle());
    if (failSync) {
        synced = -1;
        errno = EIO;
    }
    if (synced != 0) {
        if (error) *error = SystemError(errno);
        return false;
    }
    return true;
}

// Syncs the folder so that a rename in it survives a crash; a folder that
// cannot be synced does not undo the rename.
void SyncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

WholeFileWriter::WholeFileWriter(const QString& targetPath) {
    // A link is kept: the file it points to is the one replaced, or created
    // when it does not exist yet.
    target_ = FollowLinks(targetPath).absoluteFilePath();
}

WholeFileWriter::~WholeFileWriter() {
    if (!committed_) RemoveTemporary();
}

bool WholeFileWriter::Create() {
    if (failed_) return false;
    if (!temporary_.isEmpty() || committed_)
        return Fail(QStringLiteral("the file is already open"));
    const QFileInfo info(target_);
    if (info.isDir()) return Fail(QStringLiteral("a folder of that name exists"));
    if (info.exists() && !info.isFile()) return Fail(QStringLiteral("it is not a regular file"));
    fault_ = FaultFor(target_);
    if (fault_ && fault_->fault.at == WriteFault::At::Open) return Fail(SystemError(EACCES));

    const QString folder = info.absolutePath();
    const QString base =
        info.completeBaseName().isEmpty() ? info.fileName() : info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int attempt = 0; attempt < 50; ++attempt) {
        const QString name = QLatin1Char('.') + base + QLatin1Char('-') + RandomTag() + suffix;
        file_.setFileName(QDir(folder).filePath(name));
        if (file_.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            temporary_ = file_.fileName();
            // A replaced file keeps its permissions.
            if (info.isFile()) file_.setPermissions(QFile::permissions(target_));
            return true;
        }
        if (QFileInfo::exists(file_.fileName())) continue;  // taken by chance: another name
        return Fail(file_.errorString());
    }
    return Fail(file_.errorString());
}

bool WholeFileWriter::Open() {
    if (!Create()) return false;
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
           Fail(QStringLiteral("the file could not be opened"));
}

bool WholeFileWriter::Reserve() {
    if (!Create()) return false;
    file_.close();  // the path's writer opens it itself
    reserved_ = true;
    return true;
}

qint64 WholeFileWriter::readData(char*, qint64) {
    return -1;
}

qint64 WholeFileWriter::writeData(const char* data, qint64 size) {
    if (failed_ || size < 0) return -1;
    if (buffer_.isEmpty() && size >= kChunk) return WriteOut(data, size) ? size : -1;
    buffer_.append(data, size);
    if (buffer_.size() >= kChunk && !FlushBuffer()) return -1;
    return size;
}

bool WholeFileWriter::WriteOut(const char* data, qint64 size) {
    if (failed_) return false;
    qint64 allowed = size;
    if (fault_ && fault_->fault.at == WriteFault::At::Write)
        allowed = qBound<qint64>(0, fault_->fault.afterBytes - written_, size);
    QString reason;
    if (allowed > 0) {
        if (!WriteAllChecked(file_, data, allowed, &reason)) return Fail(reason);
        written_ += allowed;
    }
    if (allowed < size) return Fail(SystemError(ENOSPC));
    return true;
}

bool WholeFileWriter::FlushBuffer() {
    if (buffer_.isEmpty()) return !failed_;
    const QByteArray bytes = std::exchange(buffer_, QByteArray());
    return WriteOut(bytes.constData(), bytes.size());
}

bool WholeFileWriter::Commit() {
    // The device is closed whatever the outcome: nothing more can be written.
    const auto closeDevice = qScopeGuard([this] {
        if (isOpen()) QIODevice::close();
    });
    if (failed_) return false;
    if (committed_ || temporary_.isEmpty()) return Fail(QStringLiteral("the file was not opened"));
    if (reserved_) {
        // The path's writer is done with the file: open it once more to sync it.
        file_.setFileName(temporary_);
        if (!file_.open(QIODevice::ReadOnly)) return Fail(file_.errorString());
        if (fault_ && fault_->fault.at == WriteFault::At::Write &&
            file_.size() > fault_->fault.afterBytes)
            return Fail(SystemError(ENOSPC));
    } else if (!FlushBuffer()) {
        return false;
    }
    QString reason;
    if (!FlushAndSync(file_, fault_ && fault_->fault.at == WriteFault::At::Flush, &reason))
        return Fail(reason);
    file_.close();
    if (file_.error() != QFileDevice::NoError) return Fail(file_.errorString());

    if (fault_ && fault_->fault.at == WriteFault::At::Rename) return Fail(SystemError(EXDEV));
    if (QFileInfo(target_).isDir()) return Fail(QStringLiteral("a folder of that name exists"));
    if (::rename(QFile::encodeName(temporary_).constData(),
                 QFile::encodeName(target_).constData()) != 0)
        return Fail(SystemError(errno));
    SyncFolder(QFileInfo(target_).absolutePath());
    committed_ = true;
    temporary_.clear();
    return true;
}

void WholeFileWriter::Discard() {
    failed_ = true;
    RemoveTemporary();
    if (isOpen()) QIODevice::close();
}

bool WholeFileWriter::Fail(const QString& reason) {
    failed_ = true;
    if (error_.isEmpty()) error_ = reason;
    RemoveTemporary();
    return false;
}

void WholeFileWriter::RemoveTemporary() {
    buffer_.clear();
    if (file_.isOpen()) file_.close();
    if (!temporary_.isEmpty()) {
        QFile::remove(temporary_);
        temporary_.clear();
    }
}

QString CouldNotWriteMessage(const QString& what, const QString& fileName, const QString& reason) {
    QString text = QStringLiteral("The %1 could not be written to \"%2\"").arg(what, fileName);
    return reason.isEmpty() ? text + QLatin1Char('.')
                            : text + QStringLiteral(": ") + reason + QLatin1Char('.');
}

bool WriteAllChecked(QFileDevice& file, const char* data, qint64 size, QString* error) {
    const qint64 n = file.write(data, size);
    if (n == size && file.error() == QFileDevice::NoError) return true;
    if (error)
        *error = file.error() != QFileDevice::NoError ? file.errorString() : SystemError(EIO);
    return false;
}

bool FlushAndSyncChecked(QFileDevice& file, QString* error) {
    return FlushAndSync(file, false, error);
}

bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString* error) {
    WholeFileWriter out(path);
    if (out.Open()) out.write(bytes);
    const bool ok = out.Commit();
    if (!ok && error) *error = out.ErrorText();
    return ok;
}

ScopedWriteFault::ScopedWriteFault(const WriteFault& fault)
    : state_(std::make_shared<WriteFaultState>()) {
    state_->fault = fault;
    std::lock_guard lock(FaultMutex());
    ActiveFault() = state_;
}

ScopedWriteFault::~ScopedWriteFault() {
    std::lock_guard lock(FaultMutex());
    if (ActiveFault() == state_) ActiveFault().reset();
}

int ScopedWriteFault::Struck() const {
    std::lock_guard lock(FaultMutex());
    return state_->struck;
}

}  // namespace qv
