// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamecheck/KnownBots.h"
#include "gamecheck/Place.h"

#include <QByteArrayList>

#include <cstdint>
#include <vector>

namespace gamecheck {

// A map that an arena of the file lists, with that arena's place among the
// file's blocks, so that what is found about the map is told of that arena.
struct ListedMap {
    QByteArray map;
    int arena = 0;
};

// Checks one arena file as the game will read it: its size, its syntax
// and each arena's fields. Returns the maps of the arenas the game will
// list from it.
std::vector<ListedMap> checkArenaFile(const QByteArray& text, const KnownBots& bots, const Place& place,
                                      Findings& findings);

QByteArrayList mapsOf(const std::vector<ListedMap>& listed);

// The finding for an arena file the game skips for its size.
void reportArenaFileTooLarge(std::uint64_t size, const Place& place, Findings& findings);

} // namespace gamecheck
