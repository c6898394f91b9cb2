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
    bool keysLost = false; // some pair did not fit, or the arena number the loaders add will not
};
InfoStringFit fitInfoString(const InfoBlock& block);

} // namespace game
