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

    // Unavailable where the folder cannot be opened (a folder the user may
    // write to but not list cannot), or its file system cannot lock.
    State state() const { return current; }
    // Why it is unavailable: the system's error number.
    int error() const { return cause; }

private:
    int descriptor = -1;
    State current = State::Unavailable;
    int cause = 0;
};

} // namespace platform
