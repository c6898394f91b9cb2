// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/GameFolder.h"
#include "platform/system/ChecksumCache.h"

#include <QHash>

#include <cstdint>
#include <optional>

namespace gamecheck {

// What the check needs to know of a map that only reading it whole tells:
// the checksum its navigation file must carry, and the pool bytes the game
// module takes for its entities (nothing where the map cannot start).
struct MapFacts {
    std::optional<std::uint32_t> checksum;
    std::optional<std::uint64_t> entities;           // for G_Alloc
    std::optional<std::uint64_t> entitiesWithHeader; // for BG_Alloc, which keeps each size before it
};

// Reads each map once, in one pass for all of its facts, and remembers them
// in the cache, where there is one, for as long as its file is unchanged.
class MapFactsReader {
public:
    MapFactsReader(const game::GameFolder& folder, platform::ChecksumCache* cache) : folder(folder), cache(cache) {}

    MapFacts of(game::FileCopy bsp) const;

private:
    std::optional<MapFacts> remembered(game::FileCopy bsp) const;

    const game::GameFolder& folder;
    platform::ChecksumCache* cache;
    mutable QHash<game::FileCopy, MapFacts> known;
};

} // namespace gamecheck
