// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/GameCode.h"
#include "game/InfoFile.h"

namespace game {

// The character, '\\', ';' or '"', that makes the game refuse a key and
// its value; '\0' when it takes them.
char refusedCharacter(const KeyValue& pair);

// How one block fits the game code's info string of 1,024 bytes, in which
// it keeps a block's keys and values as `\key\value` pairs.
struct InfoStringFit {
    qsizetype length = 0;   // the bytes the pairs come to, as the game would write them
    qsizetype held = 0;     // the bytes of the pairs it keeps
    bool pairsLost = false; // some pair did not fit
    // The string came to 1,024 bytes, which only id's 1.32 code lets it: it
    // then has no room for its NUL, and the code's next change to it stops
    // the game with "Info_SetValueForKey: oversize infostring".
    bool overflows = false;
    // How many digits of the arena number that the loaders add after the
    // block, as `\num\N`, still fit: 0 to 4. Where it makes 1,024 bytes,
    // the 1.32 menus' second numbering stops the game, so it fits only
    // below that, as with ioquake3.
    int numberDigits = 0;
};
InfoStringFit fitInfoString(const InfoBlock& block, GameCode code);

// The value the game keeps for a key of a block: the last one it took,
// whatever the key's case; nothing when it kept none. Keys are kept as
// ioquake3's and OpenArena's code keeps them; id's 1.32 code keeps one
// more only where its string then overflows.
std::optional<QByteArray> infoValue(const InfoBlock& block, const char* key);

} // namespace game
