// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <cstdint>

namespace game {

// The game keeps at most this many bytes of one token of an info file and
// drops the rest.
inline constexpr qsizetype tokenLimit = 1023;

// The info string in which the game keeps one block's keys and values
// holds this many bytes, the terminating NUL included.
inline constexpr qsizetype infoStringSize = 1024;

// The game skips an arena file of this many bytes or more, whole.
inline constexpr std::uint64_t arenaFileLimit = 8192;

// The game skips a bot file of this many bytes or more, whole, as "too
// large", and defines none of its bots.
inline constexpr std::uint64_t botFileLimit = 8192;

// The game keeps an entry's name in a buffer of this many bytes; a name as
// long or longer is left without its terminating NUL.
inline constexpr qsizetype entryNameSize = 256;

// A path inside the game's file system, maps/<map>.bsp among them, holds
// this many bytes, the terminating NUL included.
inline constexpr qsizetype gamePathSize = 64;

// id's 1.32 release takes at most this many pk3 files of a folder: the
// first the file system lists, which it only then sorts by name.
inline constexpr int mostPaksOfId132 = 1024;

// The classic menu keeps the first this many characters of a map name.
inline constexpr qsizetype menuMapNameLimit = 15;

} // namespace game
