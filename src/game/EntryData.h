// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/ZipDirectory.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace game {

// How far the game gets when it reads an entry.
enum class EntryRead {
    Nothing, // it cannot open the entry: neither stored nor deflated, or its local header disagrees
    Part,    // the data ends, or is damaged, before the size the directory states
    Whole,
};

// Reads an entry's data as the game's unzip does, passing the bytes to
// `sink` a piece at a time: stored or deflated only, from where the game
// finds the data, with no check of the CRC, taking in no more than the
// stated compressed size, in the game's pieces, and giving out no more
// than `count` bytes nor the stated size. An encrypted entry comes out as
// it lies, as the game, which never decrypts, reads it.
EntryRead readEntryData(const platform::RegularFile& file, const DirectoryRecord& record, std::uint64_t count,
                        const std::function<void(const char*, std::size_t)>& sink);

} // namespace game
