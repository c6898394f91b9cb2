// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/InfoFile.h"

namespace game {

// The character, '\\', ';' or '"', that makes the game refuse a key and
// its value; '\0' when it takes them.
char refusedCharacter(const KeyValue& pair);

// How one block fits the game's info string of 1,024 bytes, in which it
// keeps a block's keys and values as `\key\value` pairs.
struct InfoStringFit {
    qsizetype length = 0; // the bytes the pairs come to, as the game would write them
    qsizetype held = 0;   // the bytes of the pairs it keeps
    bool keysLost = false; // some pair did not fit, or the arena number the loaders add will not
};
InfoStringFit fitInfoString(const InfoBlock& block);

// The value the game keeps for a key of a block: the last one it took,
// whatever the key's case; nothing when it kept none.
std::optional<QByteArray> infoValue(const InfoBlock& block, const char* key);

} // namespace game
