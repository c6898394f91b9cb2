// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/FileReplacement.h"

#include "platform/system/FileAttributes.h"
#include "platform/system/SystemError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool writeAllAt(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::pwrite(fd, bytes.constData() + done, std::size_t(bytes.size() - done), off_t(done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        done += written;
    }
    return true;
}

bool readAllAt(int fd, QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(fd, bytes.data() + done, std::size_t(bytes.size() - done), off_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += got;
    }
    return true;
}

// Overwrites the file where it lies. Only the part the new content covers
// is kept aside, since nothing past it is touched before the final
// truncation; rewriting it needs no new room on the disk.
FileWriteResult writeInPlace(const QString& path, const QByteArray& bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return {false, systemErrorText(errno)};
    const auto failure = [fd] {
        const int cause = errno;
        ::close(fd);
        return FileWriteResult{false, systemErrorText(cause)};
    };
    struct stat before {};
    if (::fstat(fd, &before) != 0)
        return failure();
    QByteArray earlier(std::min<qsizetype>(before.st_size, bytes.size()), Qt::Uninitialized);
    if (!readAllAt(fd, earlier))
        return failure();
    if (!writeAllAt(fd, bytes) || ::ftruncate(fd, off_t(bytes.size())) != 0) {
        const int cause = errno;
        writeAllAt(fd, earlier);
        [[maybe_unused]] const int restored = ::ftruncate(fd, before.st_size);
        errno = cause;
        return failure();
    }
    if (::close(fd) != 0)
        return {false, systemErrorText(errno)};
    return {true, QString()};
}

// Whether the file open as `copy` could be given everything of the file at
// `path` besides its content: its group, permissions and extended
// attributes, its access control list among them.
bool keepsAllOf(const QString& path, int copy)
{
    const int original = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (original < 0)
        return false;
    const AttributeCopy given = copyAttributes(original, copy);
    ::close(original);
    return given.failure.isEmpty() && given.ownerKept && given.groupKept && given.accessListKept && given.lost.isEmpty();
}

} // namespace

FileWriteResult replaceFileContent(const QString& path, const QByteArray& bytes)
{
    const QFileInfo target(path);
    if (target.isDir())
        return {false, QStringLiteral("It is a folder.")};
    // Replacing by rename would also get past a file the user has made
    // read-only; opening it for output would not.
    if (target.exists() && !target.isWritable())
        return {false, QStringLiteral("The file is read-only.")};

    struct stat existing {};
    const bool exists = ::stat(QFile::encodeName(path).constData(), &existing) == 0;
    if (exists
        && (existing.st_nlink > 1 || existing.st_uid != ::geteuid() || !QFileInfo(target.absolutePath()).isWritable()))
        return writeInPlace(path, bytes);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (exists && !keepsAllOf(path, file.handle())) {
        file.cancelWriting();
        return writeInPlace(path, bytes);
    }
    // Flushing before commit matters: a write the disk cut short (full, or
    // over a size limit) shows only here, and commit() alone would let the
    // shortened file replace the earlier one.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const int cause = errno;
        file.cancelWriting();
        return {false, cause != 0 ? systemErrorText(cause) : file.errorString()};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, QString()};
}

} // namespace platform
