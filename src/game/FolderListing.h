// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <vector>

namespace game {

// A loose file of a game folder or of a pk3dir, under one of the few
// folders the game looks in for maps and their lists.
struct LooseItem {
    QByteArray name; // as the game asks for it: "scripts/x.arena", exactly as the file system spells it
    QByteArray path; // the file system's own bytes
};

// A pk3, or a NAME.pk3dir folder, as the game lists a game folder's.
struct ListedPak {
    QByteArray name;
    bool folder = false; // a pk3dir
    int listedAt = 0;    // among the folder's pk3 files, in the order the file system lists them
};

struct FolderListing {
    // In the game's order: the name that sorts first first, which the game
    // searches last.
    std::vector<ListedPak> paks;
    bool cut = false; // more pk3 files than the game lists
};

// The pk3 files and pk3dir folders of a game folder, as the game lists and
// orders them: only names that lead to a file or a folder, the first 4,095
// of each kind that the file system gives.
FolderListing listPaks(const QByteArray& folder);

// Puts a pk3 about to be written among the listed ones, where it sorts.
void addPak(FolderListing& listing, const QByteArray& name);

// The files of a game folder or pk3dir in the folders whose files the
// rules read: the lists of arenas and bots, the maps with their bot
// navigation files, and the menu's pictures of them.
std::vector<LooseItem> looseFilesOf(const QByteArray& folder);

} // namespace game
