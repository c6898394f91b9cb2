// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <optional>
#include <vector>

namespace platform {

// A file of a folder as its listing gives it.
struct FolderItem {
    QByteArray name;
    bool folder = false; // after following a link, as the game does
    bool found = true;   // false for a link that leads nowhere, which the game never lists
};

// The items of a folder in the file system's own order, which is the order
// the game sees them in too; nothing when it cannot be listed. Paths here
// are the file system's own bytes: a name that is not UTF-8 is still the
// name of its file, and decoding it as text would lose which file.
std::optional<std::vector<FolderItem>> listFolder(const QByteArray& path);

// "folder/name", or the name alone where the folder is empty.
QByteArray joinPath(const QByteArray& folder, const QByteArray& name);
// What follows the last '/': "b.pk3" of "a/b.pk3".
QByteArray fileNameOf(const QByteArray& path);
// What comes before the last '/': "a" of "a/b.pk3", "." of "b.pk3".
QByteArray folderOf(const QByteArray& path);
// The path from the root, without "." and ".." and doubled '/', as bytes:
// for telling whether two paths name one file.
QByteArray absolutePath(const QByteArray& path);

} // namespace platform
