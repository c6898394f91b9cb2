// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one table of game folders: pk3s and loose files as the game finds
// them, with the findings the check of the whole folder should give and the
// arenas the server parses. The real server judges every row.
#include "game/SearchPath.h"
#include "gamecheck/GameCheck.h"
#include "support/Archives.h"

#include <vector>

// A file of a game folder: a pk3 with its entries, or a loose file; or
// what else a folder may hold under such a name.
struct FolderFile {
    QByteArray path; // in the game folder, as the file system spells it: "a.pk3", "scripts/x.arena"
    std::vector<TestEntry> entries;
    QByteArray bytes;
    enum class Kind { File, Fifo, Link } kind = Kind::File;
    QByteArray linkTo = {}; // for a link: where it leads
    QByteArray (*patch)(const QByteArray& archive) = nullptr; // what becomes of the pk3 once written
};

struct FolderExpected {
    gamecheck::Severity severity;
    QByteArray file; // in the game folder; a mod's files start with "mod/"
    QByteArray entry;
    QByteArray key;
};

struct FolderCase {
    const char* name;
    std::vector<FolderFile> base;
    std::vector<FolderExpected> expected;
    int serverArenas = 0;       // the arenas the server parses; -1 where it aborts
    QByteArrayList starts = {}; // the maps the server starts in single player
    std::vector<FolderFile> mod = {}; // a mod's folder over the base one, when there is one
    std::vector<FolderFile> home = {}; // the base folder in the user's home, searched before the install
    const game::Game* game = &game::quake3(); // whose server judges the row
};

const std::vector<FolderCase>& folderCases();

inline void PrintTo(const FolderCase& row, std::ostream* out)
{
    *out << row.name;
}

// Builds the row's folders: under `root` the base folder, named after the
// game the server is told to run, and "mod" for a mod; under `home` the
// base folder of the user's home. Returns the search path the game loads.
game::SearchPath buildFolders(const FolderCase& row, const QString& root, const QString& home);

// The name the server knows the base folder by.
inline const QString baseFolder = QStringLiteral("judgegame");
