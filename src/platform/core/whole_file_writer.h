#pragma once

// The one way the program writes a file: whole or not at all.
//
// The bytes go into a temporary file in the target's own folder. Every write
// is checked; at the end the file is flushed, synced to the disk and only then
// renamed over the target. On any failure the temporary file is removed and
// an earlier file of the target's name stays exactly as it was.
//
//     WholeFileWriter out(path);
//     if (out.Open()) QImageWriter(&out, "png").write(image);   // or out.write(bytes)
//     if (!out.Commit()) MsgBox(... out.ErrorText() ...);
//
// A writer that needs a path rather than a device (a movie encoder) reserves
// the temporary file, writes it by that path and then commits:
//
//     WholeFileWriter out(path);
//     if (!out.Reserve()) ...;
//     encode(out.TemporaryPath());        // on failure: out.Discard()
//     if (!out.Commit()) ...;             // synced and renamed over `path`

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QString>
#include <memory>

namespace qv {

class WholeFileWriter final : public QIODevice {
  public:
    explicit WholeFileWriter(const QString& targetPath);
    // An uncommitted temporary file is removed.
    ~WholeFileWriter() override;
    WholeFileWriter(const WholeFileWriter&) = delete;
    WholeFileWriter& operator=(const WholeFileWriter&) = delete;

    // Creates the temporary file and opens this device for writing. False when
    // the target is a folder or the temporary file cannot be made.
    bool Open();
    // Creates the temporary file for a writer that writes it by its path
    // (TemporaryPath) with its own means; this device stays closed.
    bool Reserve();
    // Flushes and syncs the temporary file and renames it over the target.
    // False after any earlier failure or when one of these steps fails; the
    // temporary file is then gone and the target untouched. Commits once.
    bool Commit();
    // Gives up: removes the temporary file; the target stays as it was.
    void Discard();

    QString TargetPath() const { return target_; }
    // The temporary file's path beside the target ("" before Open/Reserve). It
    // ends in the target's own extension, so a path writer can tell the format.
    QString TemporaryPath() const { return temporary_; }
    // Whether a step has failed; nothing can then be committed.
    bool Failed() const { return failed_; }
    // What went wrong, for the user ("" while nothing has).
    QString ErrorText() const { return error_; }

    // The bytes go out in order: a writer that seeks cannot use this device
    // (encode such a format into memory first).
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override;  // write-only: always -1
    qint64 writeData(const char* data, qint64 size) override;

  private:
    bool Create();
    bool WriteOut(const char* data, qint64 size);
    bool FlushBuffer();
    bool Fail(const QString& reason);
    void RemoveTemporary();

    QString target_;
    QString temporary_;
    QFile file_;
    QByteArray buffer_;
    qint64 written_ = 0;  // bytes that reached the temporary file
    bool reserved_ = false;
    bool committed_ = false;
    bool failed_ = false;
    QString error_;
    std::shared_ptr<struct WriteFaultState> fault_;
};

// Writes `bytes` as the whole file at `path`; on failure `error` (when given)
// receives the reason for the user.
bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// The message for a failed write: The <what> could not be written to "<name>"
// followed by the reason, when one is known.
QString CouldNotWriteMessage(const QString& what, const QString& fileName, const QString& reason);

// The checked steps the writer takes on its temporary file: the whole write
// reached the file; the file's buffer reached the disk and was synced. On
// failure `error` (when given) receives the reason.
bool WriteAllChecked(QFileDevice& file, const char* data, qint64 size, QString* error);
bool FlushAndSyncChecked(QFileDevice& file, QString* error);

// The test seam: makes the writers of this process fail on purpose, the way a
// full or failing disk does. Only tests install one, e.g.
//     ScopedWriteFault fault(WriteFault::AfterBytes(4096).Named(".tif").Skip(1).Times(1));
// fails the second TIFF file written after its first 4096 bytes.
struct WriteFault {
    enum class At {
        Open,    // the temporary file cannot be created
        Write,   // the file accepts `afterBytes` bytes, then every write fails
        Flush,   // every write succeeds; the final flush and sync run, and the
                 // sync's result is then replaced by a failure
        Rename,  // everything is written; renaming it over the target fails
    };
    At at = At::Write;
    qint64 afterBytes = 0;
    // Only targets whose name ends with this (letter case ignored); "" all.
    QString nameEndsWith;
    // Matching writers that first go through unharmed.
    int skip = 0;
    // How many matching writers then fail; -1 every one.
    int times = -1;

    static WriteFault AtOpen() { return Make(At::Open, 0); }
    static WriteFault AfterBytes(qint64 n) { return Make(At::Write, n); }
    static WriteFault AtFlush() { return Make(At::Flush, 0); }
    static WriteFault AtRename() { return Make(At::Rename, 0); }
    WriteFault Named(const QString& ending) const {
        WriteFault f = *this;
        f.nameEndsWith = ending;
        return f;
    }
    WriteFault Skip(int n) const {
        WriteFault f = *this;
        f.skip = n;
        return f;
    }
    WriteFault Times(int n) const {
        WriteFault f = *this;
        f.times = n;
        return f;
    }

  private:
    static WriteFault Make(At at, qint64 afterBytes) {
        WriteFault f;
        f.at = at;
        f.afterBytes = afterBytes;
        return f;
    }
};

// Installs a fault for its lifetime (one at a time).
class ScopedWriteFault {
  public:
    explicit ScopedWriteFault(const WriteFault& fault);
    ~ScopedWriteFault();
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
    // How many writers the fault has struck so far.
    int Struck() const;

  private:
    std::shared_ptr<struct WriteFaultState> state_;
};

}  // namespace qv
