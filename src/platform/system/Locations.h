// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace platform {

// The folders the pk3 route works with.
struct Locations {
    QString programFolder; // where the program's executable, and the archiver, lie
    QString driveCRoot;    // the folder that stands for drive C; empty for the user's own
    QString gamesRoot = {}; // where the games' usual places are looked for; empty for the system's own

    // The folder that stands for drive C unless one is given: private to the
    // user, under the runtime folder ($XDG_RUNTIME_DIR, which only the user
    // can enter), never in a folder shared with other users. Asked for only
    // when the pk3 route runs, so that starting the program touches nothing.
    QString driveCRootOrDefault() const;
    // Removes that folder, and the user's own folder for it, where nothing
    // is left in them, so that a finished route leaves nothing behind.
    void removeDriveCIfEmpty() const;
};

} // namespace platform
