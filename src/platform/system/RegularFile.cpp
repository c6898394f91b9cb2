// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/RegularFile.h"

#include "platform/system/SystemError.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    return QStringLiteral("not a plain file");
}

QString whyNot(const QByteArray& path, int error)
{
    struct stat link;
    if (error == ENOENT && ::lstat(path.constData(), &link) == 0 && S_ISLNK(link.st_mode))
        return QStringLiteral("A symbolic link to a file that does not exist");
    switch (error) {
    case ENOENT:
        return QStringLiteral("No such file");
    case ELOOP:
        return QStringLiteral("A symbolic link that leads round in a loop");
    default:
        return QStringLiteral("Cannot be read: %1").arg(systemErrorText(error));
    }
}

QString notRegular(mode_t mode)
{
    return QStringLiteral("Not a regular file: it is %1").arg(kindOf(mode));
}

} // namespace

std::optional<RegularFile> RegularFile::open(const QString& path, QString* reason)
{
    return open(QFile::encodeName(path), reason);
}

std::optional<RegularFile> RegularFile::open(const QByteArray& name, QString* reason)
{
    const auto fail = [&](const QString& why) {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    // Asked before opening: opening some devices already does something.
    struct stat status;
    if (::stat(name.constData(), &status) != 0)
        return fail(whyNot(name, errno));
    if (!S_ISREG(status.st_mode))
        return fail(notRegular(status.st_mode));
    // Non-blocking, should a FIFO have taken the file's place meanwhile.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return fail(whyNot(name, errno));
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const QString why = S_ISREG(status.st_mode) ? whyNot(name, errno) : notRegular(status.st_mode);
        ::close(fd);
        return fail(why);
    }
    return RegularFile(fd, std::uint64_t(status.st_size));
}

RegularFile::RegularFile(RegularFile&& other) noexcept : fd(std::exchange(other.fd, -1)), length(other.length) {}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept
{
    if (this != &other) {
        if (fd >= 0)
            ::close(fd);
        fd = std::exchange(other.fd, -1);
        length = other.length;
    }
    return *this;
}

RegularFile::~RegularFile()
{
    if (fd >= 0)
        ::close(fd);
}

std::optional<QByteArray> RegularFile::readAt(std::uint64_t offset, std::uint64_t count) const
{
    // Never more than the file held when opened: a size in a header is no
    // reason to allocate.
    count = offset < length ? std::min(count, length - offset) : 0;
    QByteArray bytes(qsizetype(count), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t read = ::pread(fd, bytes.data() + got, std::size_t(bytes.size() - got), off_t(offset + got));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return std::nullopt;
        if (read == 0)
            break;
        got += read;
    }
    bytes.truncate(got);
    return bytes;
}

} // namespace platform
