// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <ctime>
#include <optional>
#include <sys/types.h>

namespace platform {

// What tells one version of a file from another: the file itself (device
// and inode), its size, and the times of its last change of content and of
// anything about it. Writing to it, replacing it, renaming it away and
// back, or changing its permissions all give it another identity.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    bool operator==(const FileIdentity& other) const;
};

// The identity of the file open as `descriptor`; nothing when it cannot be
// asked.
std::optional<FileIdentity> identityOf(int descriptor);

// The identity of whatever is at `path` now, without following a link:
// a link put in a file's place is not that file.
std::optional<FileIdentity> identityAt(const QString& path);

} // namespace platform
