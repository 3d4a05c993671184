#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <optional>

#include "base/error.h"

namespace torvel {

// A file that could not be written. reason() is the system's own words for what went wrong
// ("No space left on device", "Permission denied").
class WriteError : public TorvelError {
public:
    WriteError(const QString& path, const QString& reason);
    // A folder that could not be created.
    static WriteError folder(const QString& path, const QString& reason);
    QString path() const { return path_; }
    QString reason() const { return reason_; }

private:
    WriteError(const QString& message, const QString& path, const QString& reason);
    QString path_;
    QString reason_;
};

// A folder the program would write into that is a symbolic link to another place. Its message is
// complete in itself and is shown as it is.
class LinkedFolderError : public TorvelError {
public:
    explicit LinkedFolderError(const QString& folder);
    QString folder() const { return folder_; }

private:
    QString folder_;
};

// Every file the program writes goes through this writer. The bytes go to a temporary file in
// the target's own folder; commit() flushes it to disk and renames it over the target, so the
// target always holds either its previous content or the whole new one. A symbolic link at the
// target's name is replaced by the new file, never written through. A writer that goes away
// without commit() (a failure, an exception) removes its temporary file.
//
// Temporary files are named ".torvel-<random>.tmp". One left behind by a process that was killed
// mid-write is removed the first time this process writes into that folder.
class SafeFile {
public:
    explicit SafeFile(const QString& target);
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    void write(const char* data, qint64 size);
    void write(const QByteArray& bytes) { write(bytes.constData(), bytes.size()); }
    void setPermissions(QFileDevice::Permissions permissions);
    // Sends what was written since the last call on to the disk and waits for what the last call
    // sent, so that a large file keeps the disk busy while it grows, holds little unwritten memory
    // and leaves commit() little to wait for. It does nothing on systems without the means.
    void flushSoFar();
    // Flushes the temporary file to disk and renames it over the target. Throws WriteError.
    void commit();
    const QString& target() const { return target_; }

private:
    [[noreturn]] void fail(const QString& reason);
    void discard();

    QString target_;
    QFile temp_;
    bool committed_ = false;
    // Bytes written, sent on to the disk by flushSoFar(), and known to be on it.
    qint64 written_ = 0;
    qint64 sent_ = 0;
    qint64 waited_ = 0;
};

// The whole file in one go.
void writeFileSafely(const QString& target, const QByteArray& bytes);

// Copies a file over any file or link at the target through SafeFile. Throws WriteError naming
// the target, with "the source file does not exist or is not a file" when the source is missing,
// and "the source and the target are the same file" when both name one file (which stays as it is).
// A regular file at the target that already holds the same bytes is left as it is.
void copyFileSafely(const QString& source, const QString& target);

// True for the name of a temporary file of this writer.
bool isSafeFileTemporary(const QString& fileName);

// Creates one folder level when nothing of that name exists. A symbolic link in its place throws
// LinkedFolderError; a file in its place, or a folder that cannot be made, throws WriteError.
void ensureRealFolder(const QString& folder);

// Fault injection for tests: the next writes fail once `bytes` more bytes have been written,
// either with the system error `error` or by killing the process on the spot (a crash or a power
// cut mid-write). nullopt restores normal writing.
struct WriteFault {
    qint64 bytes = 0;
    int error = 0;      // errno value reported by the failing write
    bool kill = false;  // end the process instead of failing
};
void setWriteFault(std::optional<WriteFault> fault);

}  // namespace torvel
