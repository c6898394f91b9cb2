// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/ArchiveView.h"
#include "game/Game.h"
#include "game/Levelshot.h"
#include "gamecheck/Place.h"

namespace gamecheck {

// Checks an archive as a game will load it, with every arena file in it:
// whether the game can read the archive at all, what in it replaces the
// game's own files, and whether each arena's map and levelshot are there.
void checkArchive(const game::ArchiveView& archive, const QString& archivePath, const game::Game& game,
                  Findings& findings);

// Whether the game lists an entry, by its key (game::ArchiveEntry::key), as
// a file of `folder` with `extension`: directly in that folder, in any case.
bool isFileIn(const QByteArray& key, const char* folder, const char* extension);

// How an archive's own entries are judged.
struct ArchiveScope {
    bool gamesOwn = false; // one the game's release ships, which holds the game's own lists and code
    bool inFolder = false; // one pk3 of a game folder, whose lists are judged by which copy the game reads
    const game::Game* game = &game::quake3();
};

// The archive itself and its entries, without its arenas: whether the game
// can read it at all, and what in it replaces the game's own files.
void checkArchiveEntries(const game::ArchiveView& archive, const QString& archivePath, ArchiveScope scope,
                         Findings& findings);

// What a faulty levelshot does, `picture` naming it as shownName shows names.
QString levelshotSentence(const QString& picture, const game::LevelshotFault& fault);

// Advice on an arena file not named after its map, `maps` being those it lists.
void checkArenaFileName(const QByteArray& entryName, const QByteArrayList& maps, const Place& place, Findings& findings);

} // namespace gamecheck
