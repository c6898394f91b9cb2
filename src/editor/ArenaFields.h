// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/Game.h"
#include "game/InfoFile.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace editor {

// What of an opened arena the window's fields cannot show. Create writes
// it back as it was, so that nothing the game reads is lost.
struct KeptValues {
    std::optional<QString> fraglimit; // a value the frag limit box would refuse
    std::optional<QString> bots;      // a list the bot selection window cannot make
    QStringList typeWords;            // type words that no box of the game's stands for
    std::vector<std::pair<QString, QString>> keys; // every other key, in the file's order
    int comments = 0;                              // within the block

    bool isEmpty() const { return !fraglimit && !bots && typeWords.isEmpty() && keys.empty() && comments == 0; }
};

// One arena as the main window shows it: each value as the game reads it,
// in Windows-1252 as the game's files are.
struct ArenaFields {
    QString map; // empty when the game finds no map in the arena
    QString longname;
    QString fraglimit;
    QString bots;
    std::vector<bool> types;     // by typeselect index: the game's types, in its order
    QString type;                // the type value exactly as read
    QStringList absentKeys;      // of map, bots, longname, fraglimit and type, those the arena lacks
    KeptValues kept;
};

// What the window offers for an arena of one game: a box for each of its
// type words, and the bots its bot window lists.
struct GameOffer {
    const game::Game* game = &game::quake3();
    QStringList bots;
};

ArenaFields arenaFields(const game::InfoBlock& block, const GameOffer& offer);

// The pair the game keeps for a key: the last one, in any case, that it
// does not refuse; none when it keeps none.
const game::KeyValue* keptPair(const game::InfoBlock& block, const char* key);

// "Kept as it is: timelimit 15, type word oneflag, 2 comments"; empty when
// nothing is kept that the fields cannot show.
QString keptLine(const KeptValues& kept);


} // namespace editor
