// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/LooseFile.h"

#include "platform/system/RegularFile.h"
#include "platform/system/SystemError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace game {

std::optional<LooseFile> readLooseFile(const QByteArray& path, std::uint64_t limit, QString* reason)
{
    const std::optional<platform::RegularFile> file = platform::RegularFile::open(path, reason);
    if (!file)
        return std::nullopt;
    // The game reads as many bytes as it found the file to have when it
    // opened it, and no more.
    std::optional<QByteArray> bytes = file->readAt(0, std::min(file->size(), limit));
    if (!bytes) {
        if (reason)
            *reason = QStringLiteral("Cannot be read: %1").arg(platform::systemErrorText(errno));
        return std::nullopt;
    }
    return LooseFile{file->size(), std::move(*bytes)};
}

LooseRefusal looseRefusalOf(const QByteArray& path)
{
    struct stat status;
    if (::stat(path.constData(), &status) != 0)
        return LooseRefusal::Unopenable;
    if (S_ISFIFO(status.st_mode))
        return LooseRefusal::Fifo;
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
        return LooseRefusal::Device;
    return LooseRefusal::Unopenable;
}

} // namespace game
