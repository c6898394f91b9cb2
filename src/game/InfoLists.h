// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/GameFolder.h"
#include "game/InfoFile.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace game {

// One of the game's loaders of the arena or bot lists, by its limits.
struct ListLoader {
    Engine order;            // whose search finds the files
    qsizetype nameBuffer;    // bytes for the names of the listed files
    std::uint64_t pool;      // bytes of the memory the infos are kept in
    bool numbersArenas;      // the classic menu's numbering in tiers of four
    int most = 1024;         // infos it takes in all
};

// The server's game module, in ioquake3 as in id's release and Quake3e.
inline constexpr ListLoader serverLoader{Engine::Ioquake3, 1024, 256 * 1024, false};
// The menus of id's 1.32 release.
inline constexpr ListLoader classicMenuLoader{Engine::Id132, 1024, 128 * 1024, true};
// ioquake3's own menus, with a list of names four times as long.
inline constexpr ListLoader ioquake3MenuLoader{Engine::Ioquake3, 4096, 128 * 1024, true};

// Every arena file the game can read, whole, in ioquake3's order: what
// the folder holds, before any limit.
inline constexpr ListLoader unlimitedLoader{Engine::Ioquake3, std::numeric_limits<qsizetype>::max(),
                                            std::numeric_limits<std::uint64_t>::max(), false,
                                            std::numeric_limits<int>::max()};

// What became of one file the loader meant to read.
struct ListedFile {
    enum class Fate {
        Read,
        PastNameBuffer, // listed, but its name did not fit the loader's list
        NotFound,       // listed under a name the game cannot open; `copy` is the file listed, if any
        TooLarge,       // 8,192 bytes or more: skipped whole
        Unreadable,     // the game reads garbage from it
    };
    QByteArray request; // as the game asks for it: "scripts/x.arena"
    std::optional<FileCopy> copy;
    Fate fate = Fate::Read;
    std::uint64_t size = 0;
    InfoReading reading;   // for a file read
    int kept = 0;          // blocks the loader kept
    int pastMost = 0;      // blocks past the 1,024 infos in all
    int pastPool = 0;      // blocks the pool had no room for
};

// One info the loader kept, in its order.
struct ListedInfo {
    std::size_t file = 0;
    std::size_t block = 0;
    bool numbered = true; // the classic menu reaches it by its number
};

struct InfoList {
    std::vector<ListedFile> files; // the list file first, then every listed name
    std::vector<ListedInfo> infos;
    std::uint64_t poolUsed = 0;
    bool poolExhausted = false;

    const InfoBlock& blockOf(const ListedInfo& info) const { return files[info.file].reading.blocks[info.block]; }
    int shown() const;
};

// The arenas as a loader has them: scripts/arenas.txt, then every
// scripts/*.arena the folder lists, each once, from the copy that wins.
InfoList loadArenas(const GameFolder& folder, const ListLoader& loader, std::uint64_t poolUsed = 0);
// The bots, from scripts/bots.txt and scripts/*.bot, the same way.
InfoList loadBots(const GameFolder& folder, const ListLoader& loader, std::uint64_t poolUsed = 0);

} // namespace game
