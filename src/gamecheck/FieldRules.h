// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/InfoFile.h"
#include "gamecheck/KnownBots.h"
#include "gamecheck/Place.h"

namespace gamecheck {

// What the game and its menus will do with the keys and values of one arena.
void checkFields(const game::InfoBlock& arena, const KnownBots& bots, const Place& place, Findings& findings);

// How a sentence names a key: "The title", "The frag limit", ...
QString keyPhrase(const QByteArray& key);

} // namespace gamecheck
