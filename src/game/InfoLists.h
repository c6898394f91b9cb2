// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/GameFolder.h"
#include "game/InfoFile.h"
#include "game/ListLoader.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace game {

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
    int pastPool = 0;      // blocks the pool had no room for, or that came after one in a file it ended
};

// One info the loader kept, in its order.
struct ListedInfo {
    std::size_t file = 0;
    std::size_t block = 0;
    bool numbered = true; // the classic menu reaches it by its number
    int number = 0;       // the number the classic menu gives it
};

struct InfoList {
    std::vector<ListedFile> files; // the list file first, then every listed name
    std::vector<ListedInfo> infos;
    std::uint64_t poolUsed = 0;
    // The most the pool had to hold for an info that fits: what it held,
    // and the size asked for. Anything more before the list leaves less room.
    std::uint64_t poolPeak = 0;
    bool poolExhausted = false;
    int mostShown = std::numeric_limits<int>::max(); // the maps its menu lists at most

    const InfoBlock& blockOf(const ListedInfo& info) const { return files[info.file].reading.blocks[info.block]; }
    int shown() const;
};

// The arenas as a loader has them: scripts/arenas.txt, then every
// scripts/*.arena the folder lists, each once, from the copy that wins.
InfoList loadArenas(const GameFolder& folder, const ListLoader& loader, std::uint64_t poolUsed = 0);
// The bots, from scripts/bots.txt and scripts/*.bot, the same way.
InfoList loadBots(const GameFolder& folder, const ListLoader& loader, std::uint64_t poolUsed = 0);

} // namespace game
