// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/FileMove.h"

#include "platform/system/SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

MoveOutcome failed(int error)
{
    return {MoveOutcome::Status::Failed, systemErrorText(error)};
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

MoveOutcome moveIntoPlace(const QString& completeFile, const QString& target,
                          const std::optional<FileIdentity>& targetAsRead)
{
    const QByteArray from = QFile::encodeName(completeFile);
    const QByteArray to = QFile::encodeName(target);
    // Without this a system crash soon after the rename could leave an
    // empty archive in the old one's place.
    if (!syncToDisk(from, O_RDONLY))
        return failed(errno);
    // As late as can be: what changes the target between this and the
    // rename is lost, as it would be to any other program's save.
    if (targetAsRead && identityAt(target) != targetAsRead)
        return {MoveOutcome::Status::TargetChanged, QString()};
    int renamed = targetAsRead ? std::rename(from.constData(), to.constData())
                               : ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
    // Some file systems cannot rename without replacing; a second name,
    // which never replaces either, then the first taken away, does the same.
    if (renamed != 0 && !targetAsRead && errno == EINVAL && (renamed = ::link(from.constData(), to.constData())) == 0)
        ::unlink(from.constData());
    if (renamed != 0) {
        if (errno == EEXIST)
            return {MoveOutcome::Status::Failed, QStringLiteral("another program made a file of that name meanwhile")};
        return failed(errno);
    }
    syncToDisk(QFile::encodeName(QFileInfo(target).path()), O_RDONLY | O_DIRECTORY);
    return {MoveOutcome::Status::Moved, QString()};
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
