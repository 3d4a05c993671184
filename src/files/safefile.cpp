#include "files/safefile.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QRandomGenerator>
#include <QSet>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace torvel {

namespace fs = std::filesystem;

WriteError::WriteError(const QString& message, const QString& path, const QString& reason)
    : TorvelError(message), path_(path), reason_(reason) {}

WriteError::WriteError(const QString& path, const QString& reason)
    : WriteError(
          QStringLiteral("The file %1 could not be written: %2.").arg(QDir::toNativeSeparators(path), reason),
          path, reason) {}

WriteError WriteError::folder(const QString& path, const QString& reason) {
    return WriteError(
        QStringLiteral("The folder %1 could not be created: %2.").arg(QDir::toNativeSeparators(path), reason),
        path, reason);
}

LinkedFolderError::LinkedFolderError(const QString& folder)
    : TorvelError(
          QStringLiteral("%1 is a link to another place. Torvel writes only into real folders: remove "
                         "the link or choose another folder.")
              .arg(QDir::toNativeSeparators(folder))),
      folder_(folder) {}

namespace {

const QString kTempPrefix = QStringLiteral(".torvel-");
const QString kTempSuffix = QStringLiteral(".tmp");

std::optional<WriteFault> g_fault;

fs::path toPath(const QString& path) {
#ifdef Q_OS_WIN
    return fs::path(path.toStdWString());
#else
    return fs::path(QFile::encodeName(path).toStdString());
#endif
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString folderOf(const QString& target) {
    return QFileInfo(target).absolutePath();
}

// Removes the temporary files that a killed writer left in a folder, once per folder and run:
// within one run every failed write removes its own.
void removeLeftovers(const QString& folder) {
    static QMutex mutex;
    static QSet<QString> cleaned;
    const QMutexLocker lock(&mutex);
    if (cleaned.contains(folder)) {
        return;
    }
    cleaned.insert(folder);
    const QDir dir(folder);
    const QStringList names = dir.entryList({kTempPrefix + QLatin1Char('*') + kTempSuffix},
                                            QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (isSafeFileTemporary(name)) {
            QFile::remove(dir.filePath(name));
        }
    }
}

void syncFolder(const QString& folder) {
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

bool syncFile(QFile& file) {
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

}  // namespace

bool isSafeFileTemporary(const QString& fileName) {
    if (!fileName.startsWith(kTempPrefix) || !fileName.endsWith(kTempSuffix)) {
        return false;
    }
    const QStringView middle = QStringView(fileName).mid(
        kTempPrefix.size(), fileName.size() - kTempPrefix.size() - kTempSuffix.size());
    if (middle.size() != 12) {
        return false;
    }
    for (const QChar c : middle) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
              (c >= QLatin1Char('a') && c <= QLatin1Char('f')))) {
            return false;
        }
    }
    return true;
}

void setWriteFault(std::optional<WriteFault> fault) {
    g_fault = fault;
}

SafeFile::SafeFile(const QString& target) : target_(target) {
    const QString folder = folderOf(target);
    removeLeftovers(folder);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const quint64 random = QRandomGenerator::global()->generate64() & 0xFFFFFFFFFFFFull;
        const QString name =
            kTempPrefix + QStringLiteral("%1").arg(random, 12, 16, QLatin1Char('0')) + kTempSuffix;
        temp_.setFileName(QDir(folder).filePath(name));
        if (temp_.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            return;
        }
        if (temp_.error() != QFileDevice::OpenError || !QFileInfo::exists(temp_.fileName())) {
            break;
        }
    }
    // The name was never ours: the writer that fails here must not remove it.
    const QString reason = !QFileInfo(folder).isDir() ? systemReason(ENOENT) : temp_.errorString();
    temp_.setFileName(QString());
    throw WriteError(target_, reason);
}

SafeFile::~SafeFile() {
    if (!committed_) {
        discard();
    }
}

void SafeFile::discard() {
    if (temp_.isOpen()) {
        temp_.close();
    }
    if (!temp_.fileName().isEmpty()) {
        QFile::remove(temp_.fileName());
        temp_.setFileName(QString());
    }
}

void SafeFile::fail(const QString& reason) {
    discard();
    throw WriteError(target_, reason);
}

void SafeFile::write(const char* data, qint64 size) {
    if (g_fault && size > g_fault->bytes) {
        temp_.write(data, g_fault->bytes);
        if (g_fault->kill) {
#ifdef Q_OS_WIN
            std::abort();
#else
            std::raise(SIGKILL);
#endif
        }
        const int error = g_fault->error;
        g_fault->bytes = 0;
        fail(systemReason(error));
    }
    if (g_fault) {
        g_fault->bytes -= size;
    }
    written_ += size;
#ifdef Q_OS_WIN
    if (temp_.write(data, size) != size) {
        fail(temp_.errorString());
    }
#else
    // Straight to the descriptor, so that a short write is followed up and a failure keeps the
    // system's own reason (a full disk says so).
    while (size > 0) {
        const ssize_t n = ::write(temp_.handle(), data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail(systemReason(errno));
        }
        data += n;
        size -= n;
    }
#endif
}

void SafeFile::flushSoFar() {
#ifdef Q_OS_LINUX
    const int fd = temp_.handle();
    ::sync_file_range(fd, sent_, written_ - sent_, SYNC_FILE_RANGE_WRITE);
    if (sent_ > waited_) {
        ::sync_file_range(fd, waited_, sent_ - waited_,
                          SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
    }
    waited_ = sent_;
    sent_ = written_;
#endif
}

void SafeFile::setPermissions(QFileDevice::Permissions permissions) {
    temp_.setPermissions(permissions);
}

void SafeFile::commit() {
    if (!syncFile(temp_)) {
        fail(systemReason(errno));
    }
    temp_.close();
    if (temp_.error() != QFileDevice::NoError) {
        fail(temp_.errorString());
    }
    std::error_code ec;
    fs::rename(toPath(temp_.fileName()), toPath(target_), ec);
    if (ec) {
        fail(QString::fromLocal8Bit(ec.message()));
    }
    committed_ = true;
    syncFolder(folderOf(target_));
}

void writeFileSafely(const QString& target, const QByteArray& bytes) {
    SafeFile file(target);
    file.write(bytes);
    file.commit();
}

namespace {

// Whether two files of the same size hold the same bytes; a file that cannot be read differs.
bool sameBytes(const QString& first, const QString& second) {
    QFile a(first);
    QFile b(second);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly)) {
        return false;
    }
    constexpr qint64 kChunk = 1 << 20;
    QByteArray x(kChunk, Qt::Uninitialized);
    QByteArray y(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 n = a.read(x.data(), kChunk);
        const qint64 m = b.read(y.data(), kChunk);
        if (n != m || n < 0) {
            return false;
        }
        if (n == 0) {
            return true;
        }
        if (std::memcmp(x.constData(), y.constData(), static_cast<size_t>(n)) != 0) {
            return false;
        }
    }
}

}  // namespace

void copyFileSafely(const QString& source, const QString& target) {
    const QFileInfo from(source);
    if (!from.isFile()) {
        throw WriteError(target, QStringLiteral("the source file does not exist or is not a file"));
    }
    const QFileInfo to(target);
    std::error_code ec;
    if (to.exists() && !to.isSymbolicLink() && fs::equivalent(toPath(source), toPath(target), ec)) {
        throw WriteError(target, QStringLiteral("the source and the target are the same file"));
    }
    if (to.isFile() && !to.isSymbolicLink() && to.size() == from.size() && sameBytes(source, target)) {
        return;  // already the same file: nothing to write
    }
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        throw WriteError(
            target,
            QStringLiteral("%1 cannot be read: %2").arg(QDir::toNativeSeparators(source), in.errorString()));
    }
    SafeFile out(target);
    constexpr qint64 kChunk = 1 << 20;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(buffer.data(), kChunk);
        if (n < 0) {
            throw WriteError(target, QStringLiteral("%1 cannot be read: %2")
                                         .arg(QDir::toNativeSeparators(source), in.errorString()));
        }
        if (n == 0) {
            break;
        }
        out.write(buffer.constData(), n);
    }
    out.setPermissions(from.permissions());
    out.commit();
}

void ensureRealFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (info.isSymbolicLink() || info.isJunction()) {
        throw LinkedFolderError(folder);
    }
    if (info.exists()) {
        if (!info.isDir()) {
            throw WriteError::folder(folder, QStringLiteral("a file of that name is in the way"));
        }
        return;
    }
    std::error_code ec;
    if (!fs::create_directory(toPath(folder), ec) || ec) {
        throw WriteError::folder(folder, ec ? QString::fromLocal8Bit(ec.message())
                                            : QStringLiteral("the folder cannot be created"));
    }
}

}  // namespace torvel
