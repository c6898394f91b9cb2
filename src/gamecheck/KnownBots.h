// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSet>

namespace gamecheck {

// The bots an arena may name: the game's 32, and those that bot files
// shipped beside it define. The game matches names without regard to case.
class KnownBots {
public:
    KnownBots();

    // Adds the `name` of every block of a bot file.
    void addBotFile(const QByteArray& text);
    bool knows(const QByteArray& name) const;
    // Whether names beyond the game's own are known.
    bool hasOwnBots() const { return own; }

private:
    QSet<QByteArray> lowerCaseNames;
    bool own = false;
};

} // namespace gamecheck
