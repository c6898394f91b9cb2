// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/ListLoader.h"

#include <QByteArray>
#include <QString>

#include <span>

namespace game {

// A word of the "type" key, and the box that ticks it.
struct GameType {
    const char* word;    // as arena files name it: "ffa"
    const char* caption; // "Free For All"
    bool listed;         // whether the game's menus list maps by it
};

// A pk3 the game's release ships, in its game folder.
struct ShippedPak {
    const char* folder; // "baseq3"
    const char* name;   // "pak0.pk3"
};

// One of the games that run on this engine: where it keeps its files, what
// it ships, the words its menus know and the limits its loaders have.
struct Game {
    const char* id;          // the name --game takes: "quake3"
    const char* name;        // "Quake 3 Arena"
    const char* folder;      // its game folder: "baseq3"
    const char* restsOn;     // a game folder the game loads beneath its own ("baseq3" for Team Arena); null for none
    const char* homeFolder;  // in the user's home folder: ".q3a"
    std::span<const char* const> installPlaces; // where it is usually installed; "~/" is the home folder
    std::span<const ShippedPak> shippedPaks;
    std::span<const GameType> types;            // the five of the main window first, in its order
    std::span<const NamedLoader> arenaLoaders;  // the server's first
    std::span<const char* const> stockBots;     // its own roster, for a folder that lacks the game's bot list

    // Whether a pk3 of this name in a game folder of this name is one the
    // game ships: the files of the release, which no author mends.
    bool ships(const QByteArray& folderName, const QByteArray& pakName) const;
    // The type its menus know by this word, in any letter case; null for none.
    const GameType* typeOf(const QByteArray& word) const;
    // "ffa, ctf, single, team and tourney".
    QString typeWords() const;
    const NamedLoader& serverLoader() const { return arenaLoaders.front(); }
};

const Game& quake3();
const Game& teamArena();
const Game& openArena();
std::span<const Game* const> allGames();

// The game --game names, by its id; null for none.
const Game* gameWithId(const QString& id);

} // namespace game
