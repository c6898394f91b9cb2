// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/GameFolder.h"
#include "gamecheck/Finding.h"
#include "platform/system/ChecksumCache.h"

#include <QSet>

namespace gamecheck {

// How many arenas the folder holds and how many each of the game's loaders
// takes of them.
struct FolderSummary {
    int arenasHeld = 0;     // in every copy of every arena file, read or not
    int classicMenus = 0;   // listed by the menus of id's 1.32 release
    int ioquake3Menus = 0;  // listed by ioquake3's own menus
    int server = 0;         // parsed by the server
};

struct FolderReport {
    Findings findings;
    FolderSummary summary;
};

struct FolderCheckOptions {
    // The archive or arena file about to be written: the newest of its map.
    QString newFile;
    // The files whose findings are wanted, by their paths as the folder
    // gives them; empty for all of the folder's.
    QSet<QString> only;
    // Where the checksums of maps are remembered between checks, if anywhere.
    platform::ChecksumCache* checksums = nullptr;
};

// Checks a game folder as the game loads it: every pk3 in the game's order
// and the loose files, the lists of arenas and bots with the limits each of
// the game's loaders has, which copy of a file wins, and each map's bot
// navigation file.
FolderReport checkGameFolder(const game::GameFolder& folder, const FolderCheckOptions& options = {});

} // namespace gamecheck
