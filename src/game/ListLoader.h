// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/Engine.h"
#include "game/GameCode.h"

#include <QtGlobal>

#include <cstdint>
#include <limits>

namespace game {

// How a loader takes the memory for each info it keeps, and what it does
// when its pool has no more.
enum class PoolRule {
    // The server's G_Alloc: rounded up to 32 bytes; when full, the game
    // module stops with "G_Alloc: failed" and no map starts.
    FullStopsTheGame,
    // The menus' UI_Alloc: rounded up to 32 bytes; an info that does not
    // fit is left out, and a later, smaller one may still fit.
    FullSkipsTheInfo,
    // OpenArena's server, BG_Alloc: four bytes more, rounded up to 32; at
    // the first info that does not fit, the rest of that file is left out,
    // and the next file is tried.
    FullEndsTheFile,
};

// One of the game's loaders of the arena or bot lists, by its limits.
struct ListLoader {
    Engine order;            // whose search finds the files
    qsizetype nameBuffer;    // bytes for the names of the listed files
    std::uint64_t pool;      // bytes of the memory the infos are kept in
    PoolRule poolRule;
    bool numbersArenas;      // the classic menu's numbering in tiers of four
    int most = 1024;         // infos it takes in all
    int mostShown = std::numeric_limits<int>::max(); // maps its menu lists at most
    // OpenArena's menu numbers the single-player arenas over a multiple of
    // four among the special ones, not among all others.
    bool surplusAmongSpecial = false;
    GameCode code = GameCode::Ioquake3Native; // whose code it is, for its info strings
    // id's Start Server menu keeps this many maps of one game type, and
    // writes the names of more past its list.
    int startServerMaps = std::numeric_limits<int>::max();
};

// Every arena file the game can read, whole, in ioquake3's order: what
// the folder holds, before any limit.
inline constexpr ListLoader unlimitedLoader{Engine::Ioquake3, std::numeric_limits<qsizetype>::max(),
                                            std::numeric_limits<std::uint64_t>::max(), PoolRule::FullSkipsTheInfo,
                                            false, std::numeric_limits<int>::max()};

// A loader as the findings name it: "the server", "the 1.32 menus".
struct NamedLoader {
    const char* name;
    ListLoader loader;
    bool server = false; // the game module the server runs, rather than a menu
    // A server's module takes this much of its pool for itself before the
    // map's entities, and this much more for each bot that joins later.
    std::uint64_t moduleOwn = 0;
    std::uint64_t botState = 0;
};

} // namespace game
