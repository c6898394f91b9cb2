// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/Game.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace game {

// What the user says of where the game is; whatever is not said is looked
// for in the game's usual places where `usualPlaces` is set and the folder
// tells its game, and otherwise not read at all.
struct Locations {
    const Game* game = nullptr; // the game the user names; otherwise the folder tells
    QString home;               // the user's own folder of the game (~/.openarena), where given
    QString install;            // the folder the game is installed in (its base path), where given
    bool usualPlaces = false;
};

// One folder of the game's search path.
struct GameDirectory {
    QString path;     // ".../baseoa"
    QByteArray name;  // the game folder's name: "baseoa"
    bool inHome = false; // in the user's own folder of the game, rather than the install
    bool mod = false;    // a mod's folder, which the game searches before its own
};

// The folders the game searches, as the engine builds the list: a mod's
// folder before the game's own, and of each, the one in the user's home
// before the one in the install.
struct SearchPath {
    const Game* game = &quake3();
    std::vector<GameDirectory> directories; // most important first; those that exist

    // Folders named one by one, most important first: a mod's, then the
    // base folder, as a test or a single folder gives them.
    static SearchPath ofFolders(const QStringList& folders, const Game& game = quake3());
    QStringList paths() const;
};

// Whether the folder tells which game it is of: it is a game's own folder,
// lies beside one, or lies in a game's home folder. Only then are the
// game's other folders, in its usual places, the folder's company.
bool tellsItsGame(const QString& folder);

// The game a game folder is of: baseoa is OpenArena's, missionpack Team
// Arena's (OpenArena's own mission pack where baseoa lies beside it), and a
// mod's folder is of the game whose folder lies beside it. Quake 3 when
// nothing tells.
const Game& gameOfFolder(const QString& folder);

// The search path the game builds when the user runs it with `folder`, a
// game folder (the base folder or a mod's) in the home folder or the install.
SearchPath searchPathOf(const QString& folder, const Locations& where);

// A game installed in one of its usual places: its own folder there.
struct InstalledGame {
    const Game* game;
    QString folder; // ".../baseoa"
};

// The games installed in their usual places, each in the first that holds
// its folder with a pk3 in it; the places are looked for under `root`
// where one is given, for tests.
std::vector<InstalledGame> installedGames(const QString& root = {});

} // namespace game
