// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace game {

// The game's 32 stock bots, in the order the selection window lists them.
// The names are the ones the game itself knows the bots by, so they are
// written into arena files exactly as spelt here.
inline constexpr std::array<const char*, 32> stockBots = {
    "Anarki", "Angel",   "Biker",   "Bitterman", "Bones",  "Cadavre", "Crash",  "Daemia",
    "Doom",   "Gorre",   "Grunt",   "Hossman",   "Hunter", "Keel",    "Klesk",  "Lucy",
    "Major",  "Mynx",    "Orbb",    "Patriot",   "Phobos", "Ranger",  "Razor",  "Sarge",
    "Slash",  "Sorlag",  "Stripe",  "Tankjr",    "Uriel",  "Visor",   "Wrack",  "Xaero",
};

} // namespace game
