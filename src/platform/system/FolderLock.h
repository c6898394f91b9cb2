// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace platform {

// An advisory lock on a folder, held by this process for the life of the
// object and let go by the system when the process ends, however it ends:
// a killed run can never leave its lock behind.
class FolderLock {
public:
    enum class State { Held, HeldByAnother, Unavailable };

    // Tries once, without waiting.
    explicit FolderLock(const QString& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Unavailable where the file system cannot lock a folder (some network
    // file systems), or the folder cannot be opened.
    State state() const { return current; }

private:
    int descriptor = -1;
    State current = State::Unavailable;
};

} // namespace platform
