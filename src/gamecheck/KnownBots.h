// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/Game.h"

#include <QByteArrayList>
#include <QSet>

namespace gamecheck {

// The bots an arena may name: the game's own, and those that bot files
// shipped beside it define. The game matches names without regard to case.
class KnownBots {
public:
    explicit KnownBots(const game::Game& game = game::quake3());
    // The bots of a whole game folder, as the game loads them: these and no
    // others, the game's own among them only where its folder defines them.
    static KnownBots ofFolder(const QByteArrayList& names, const game::Game& game);

    // Adds the `name` of every block of a bot file.
    void addBotFile(const QByteArray& text);
    bool knows(const QByteArray& name) const;
    // Whether names beyond the game's own are known.
    bool hasOwnBots() const { return own; }
    // Whether these are all the bots the game will have.
    bool complete() const { return whole; }
    const game::Game& game() const { return *ofGame; }

private:
    const game::Game* ofGame;
    QSet<QByteArray> lowerCaseNames;
    bool own = false;
    bool whole = false;
};

} // namespace gamecheck
