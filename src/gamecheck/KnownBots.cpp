// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/KnownBots.h"

#include "game/InfoFile.h"

namespace gamecheck {

using game::InfoBlock;
using game::KeyValue;
using game::readInfoFile;
using game::findKey;

KnownBots::KnownBots(const game::Game& game) : ofGame(&game)
{
    for (const char* name : game.stockBots)
        lowerCaseNames.insert(QByteArray(name).toLower());
}

KnownBots KnownBots::ofFolder(const QByteArrayList& names, const game::Game& game)
{
    KnownBots bots(game);
    bots.lowerCaseNames.clear();
    for (const QByteArray& name : names)
        bots.lowerCaseNames.insert(name.toLower());
    bots.own = !names.isEmpty();
    bots.whole = true;
    return bots;
}

void KnownBots::addBotFile(const QByteArray& text)
{
    for (const InfoBlock& block : readInfoFile(text).blocks) {
        if (const KeyValue* name = findKey(block, "name"); name && !name->valueWasEmpty) {
            lowerCaseNames.insert(name->value.text.toLower());
            own = true;
        }
    }
}

bool KnownBots::knows(const QByteArray& name) const
{
    return lowerCaseNames.contains(name.toLower());
}

} // namespace gamecheck
