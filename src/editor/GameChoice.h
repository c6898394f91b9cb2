// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/ArenaFields.h"
#include "game/SearchPath.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace editor {

// The game the author plays, as the window knows it: chosen in the Game
// menu, or the game whose folder a file was opened from. Without one, the
// window is Quake 3's as shipped: its 32 stock bots and five game types.
class GameChoice {
public:
    const game::Game& game() const { return chosen ? *chosen : game::quake3(); }
    // Its game folder; empty when none is known.
    const QString& folder() const { return gameFolder; }

    // Takes the game of a game folder, if the folder tells one; the
    // choice is remembered. Returns whether it did.
    bool chooseFolder(const QString& folder);
    // The choice a file makes: the game of the folder it lies in (the
    // folder of an archive, or the one above a loose file's scripts/),
    // where that tells one; this choice otherwise. Remembered only once
    // the file is opened.
    GameChoice forFile(const QString& path) const;
    void remember() const;
    // The choice remembered from an earlier run, if its folder is still there.
    void restore();

    // The bots the game loads from its folders, in its order, each once as
    // the game spells it; the game's own roster where its folders define
    // none; Quake 3's 32 stock bots where no folder is known.
    QStringList botCatalogue();
    // The game's type boxes and bot catalogue, for the window's fields.
    GameOffer offer();
    // "OpenArena", or "Quake 3 Arena (no game folder chosen)".
    QString description() const;

private:
    bool take(const QString& folder);

    const game::Game* chosen = nullptr; // Quake 3 until a game folder is known
    QString gameFolder;
    std::optional<QStringList> roster; // read once per folder
};

} // namespace editor
