// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/GameFolder.h"
#include "gamecheck/Finding.h"
#include "platform/system/ChecksumCache.h"

#include <QSet>

#include <vector>

namespace gamecheck {

// How many arenas one of the game's loaders takes.
struct LoaderCount {
    QString loader; // as the findings name it: "the server"
    int arenas = 0;
    bool server = false;
    bool stops = false; // the server's memory runs out, and its game module stops
};

// What the game reads of the folder and how many arenas each of its
// loaders takes of them.
struct FolderSummary {
    const game::Game* game = &game::quake3();
    QStringList folders;     // the folders of its search path, most important first
    int paks = 0;            // pk3s and pk3dirs the game reads
    int gamesOwnPaks = 0;    // of them, those its release ships
    int arenasRead = 0;      // in the arena files the game reads, before any limit
    int arenasShadowed = 0;  // more, in copies the game never reads
    std::vector<LoaderCount> loaders; // in the game's order: the server, then its menus
    int server = 0;          // parsed by the server, when it starts the map whose entities take the most of its memory
    QByteArray heaviestMap;  // that map, where its entities change what the server loads
    int serverOnLighterMaps = 0; // parsed when it starts a map with fewer entities
};

struct FolderReport {
    Findings findings;
    FolderSummary summary;
};

struct FolderCheckOptions {
    // The archive or arena file about to be written: the newest of its map.
    QByteArray newFile;
    // The files whose findings are wanted, by their paths as the folder
    // gives them; empty for all of the folder's.
    QSet<QByteArray> only;
    // Where the checksums of maps are remembered between checks, if anywhere.
    platform::ChecksumCache* checksums = nullptr;
};

// Checks a game folder as the game loads it: every pk3 in the game's order
// and the loose files, the lists of arenas and bots with the limits each of
// the game's loaders has, which copy of a file wins, and each map's bot
// navigation file. What concerns only the game's own pk3s is no finding:
// no author mends those.
FolderReport checkGameFolder(const game::GameFolder& folder, const FolderCheckOptions& options = {});

// The summary in one sentence: "Quake 3 Arena reads baseq3 (2 pk3s); the
// menus will list 2 maps, out of 3 arenas; ioquake3's own menus 2, the
// server 2."
QString summarySentence(const FolderSummary& summary);

} // namespace gamecheck
