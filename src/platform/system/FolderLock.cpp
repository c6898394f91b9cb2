// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/FolderLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

FolderLock::FolderLock(const QString& folder)
{
    // Close-on-exec: a program started meanwhile must not keep the lock
    // after this process has gone.
    descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        cause = errno;
        return;
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0)
        current = State::Held;
    else if (errno == EWOULDBLOCK)
        current = State::HeldByAnother;
    else
        cause = errno;
}

FolderLock::~FolderLock()
{
    if (descriptor >= 0)
        ::close(descriptor);
}

} // namespace platform
