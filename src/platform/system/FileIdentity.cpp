// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/FileIdentity.h"

#include <QFile>

#include <sys/stat.h>

namespace platform {

namespace {

FileIdentity fromStat(const struct stat& status)
{
    return {status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

bool sameTime(const timespec& one, const timespec& other)
{
    return one.tv_sec == other.tv_sec && one.tv_nsec == other.tv_nsec;
}

} // namespace

bool FileIdentity::operator==(const FileIdentity& other) const
{
    return device == other.device && inode == other.inode && size == other.size
           && sameTime(modified, other.modified) && sameTime(changed, other.changed);
}

std::optional<FileIdentity> identityOf(int descriptor)
{
    struct stat status {};
    if (::fstat(descriptor, &status) != 0)
        return std::nullopt;
    return fromStat(status);
}

std::optional<FileIdentity> identityAt(const QString& path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return fromStat(status);
}

} // namespace platform
