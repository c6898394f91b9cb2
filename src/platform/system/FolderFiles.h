// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

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
// the game sees them in too; nothing when it cannot be listed.
std::optional<std::vector<FolderItem>> listFolder(const QString& path);

} // namespace platform
