// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/FileMove.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QString lastError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool syncToDisk(const QByteArray& path, int flags)
{
    const int descriptor = ::open(path.constData(), flags | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool synced = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
}

} // namespace

QString moveIntoPlace(const QString& completeFile, const QString& target, bool targetExists)
{
    const QByteArray from = QFile::encodeName(completeFile);
    const QByteArray to = QFile::encodeName(target);
    if (targetExists) {
        struct stat old {};
        if (::stat(to.constData(), &old) != 0)
            return lastError();
        if (::chmod(from.constData(), old.st_mode & 07777) != 0)
            return lastError();
        // Only the groups the user belongs to can be given; otherwise the
        // file keeps the user's own, as any program's save would.
        if (::chown(from.constData(), uid_t(-1), old.st_gid) != 0 && errno != EPERM)
            return lastError();
    }
    // Without this a system crash soon after the rename could leave an
    // empty archive in the old one's place.
    if (!syncToDisk(from, O_RDONLY))
        return lastError();
    int renamed = targetExists ? std::rename(from.constData(), to.constData())
                               : ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
    // Some file systems cannot rename without replacing; a second name,
    // which never replaces either, then the first taken away, does the same.
    if (renamed != 0 && !targetExists && errno == EINVAL && (renamed = ::link(from.constData(), to.constData())) == 0)
        ::unlink(from.constData());
    if (renamed != 0)
        return errno == EEXIST ? QStringLiteral("another program made a file of that name meanwhile") : lastError();
    syncToDisk(QFile::encodeName(QFileInfo(target).path()), O_RDONLY | O_DIRECTORY);
    return QString();
}

void startWritingOut(const QString& folder)
{
    const QDir files(folder);
    for (const QString& name : files.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        const int descriptor = ::open(QFile::encodeName(files.filePath(name)).constData(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0)
            continue; // gone meanwhile: a temporary name renamed
        ::sync_file_range(descriptor, 0, 0, SYNC_FILE_RANGE_WRITE);
        ::close(descriptor);
    }
}

} // namespace platform
