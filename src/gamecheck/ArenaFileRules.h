// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamecheck/KnownBots.h"
#include "gamecheck/Place.h"

#include <QByteArrayList>

#include <cstdint>

namespace gamecheck {

// Checks one arena file as the game will read it: its size, its syntax
// and each arena's fields. Returns the maps of the arenas the game will
// list from it.
QByteArrayList checkArenaFile(const QByteArray& text, const KnownBots& bots, const Place& place, Findings& findings);

// The finding for an arena file the game skips for its size.
void reportArenaFileTooLarge(std::uint64_t size, const Place& place, Findings& findings);

} // namespace gamecheck
