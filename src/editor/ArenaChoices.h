// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/ArenaFields.h"
#include "gamecheck/GameCheck.h"

#include <QString>

#include <vector>

namespace editor {

// One arena an opened file offers: a block of one of its arena files, or a
// map of the archive that no arena lists, to make one for.
struct ArenaChoice {
    std::size_t file = 0; // in FileToEdit::arenaFiles; none for a map
    int block = -1;       // -1 for a map
    ArenaFields fields;   // for a map, its name alone
    bool isNewArena() const { return block < 0; }
};

// The arenas of every arena file the game reads whole, in its order
// (scripts/arenas.txt first), then, in the archive's order, the maps no
// arena lists by the game's comparison of names (ASCII letters in any case).
std::vector<ArenaChoice> arenaChoices(const gamecheck::FileToEdit& file, const GameOffer& offer);

// Where the choice is in the file: "scripts/yard.arena, arena 2 of 3",
// "arena 1 of 2", "maps/yard.bsp"; empty for the only arena of a loose file.
QString placeOf(const gamecheck::FileToEdit& file, const ArenaChoice& choice);

// The chooser's line: map, title and place.
QString choiceLine(const gamecheck::FileToEdit& file, const ArenaChoice& choice);

} // namespace editor
