// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/FileContent.h"

#include <QByteArray>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr qsizetype bufferSize = 64 * 1024;

// Up to a buffer's worth from `offset`; 0 at the end, -1 on failure.
ssize_t readAt(int descriptor, QByteArray& buffer, off_t offset)
{
    ssize_t got = 0;
    do
        got = ::pread(descriptor, buffer.data(), std::size_t(buffer.size()), offset);
    while (got < 0 && errno == EINTR);
    return got;
}

} // namespace

bool writeAllAt(int descriptor, const char* bytes, std::size_t size, off_t offset)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t written = ::pwrite(descriptor, bytes + done, size - done, offset + off_t(done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        done += std::size_t(written);
    }
    return true;
}

std::optional<off_t> copyContent(int from, int to)
{
    QByteArray buffer(bufferSize, Qt::Uninitialized);
    for (off_t at = 0;;) {
        const ssize_t got = readAt(from, buffer, at);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return at;
        if (!writeAllAt(to, buffer.constData(), std::size_t(got), at))
            return std::nullopt;
        at += got;
    }
}

bool sameContent(int one, int other)
{
    struct stat first {}, second {};
    if (::fstat(one, &first) != 0 || ::fstat(other, &second) != 0 || first.st_size != second.st_size)
        return false;
    QByteArray left(bufferSize, Qt::Uninitialized), right(bufferSize, Qt::Uninitialized);
    for (off_t at = 0;;) {
        const ssize_t got = readAt(one, left, at);
        if (got < 0 || readAt(other, right, at) != got)
            return false;
        if (got == 0)
            return true;
        if (QByteArrayView(left).first(got) != QByteArrayView(right).first(got))
            return false;
        at += got;
    }
}

} // namespace platform
