// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/ArchiveView.h"
#include "gamecheck/Place.h"

namespace gamecheck {

// Checks an archive as the game will load it, with every arena file in it:
// whether the game can read the archive at all, what in it replaces the
// game's own files, and whether each arena's map and levelshot are there.
void checkArchive(const game::ArchiveView& archive, const QString& archivePath, Findings& findings);

// Whether the game lists an entry, by its key (game::ArchiveEntry::key), as
// a file of `folder` with `extension`: directly in that folder, in any case.
bool isFileIn(const QByteArray& key, const char* folder, const char* extension);

} // namespace gamecheck
