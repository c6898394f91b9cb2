// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/ArchiveView.h"
#include "game/InfoFile.h"
#include "gamecheck/Place.h"

#include <QString>

namespace gamecheck {

// Bots find their way by a map's navigation file, maps/<map>.aas. One rule,
// whether an archive is checked alone or among the folder it lies in: an
// arena that lists bots for a map without one is an error (they never
// join); a map without one is worth knowing (no bot can play it).

// Whether an arena lists bots for its map.
bool listsBots(const game::InfoBlock& arena);
// `holder` is "archive" or "folder".
QString noNavigationForBots(const char* holder, const QByteArray& map);
QString noNavigationForMap(const char* holder, const QByteArray& map);
// Why the game refuses a navigation file by its header; empty where it reads it.
QString navigationHeaderProblem(const QByteArray& map, const QByteArray& start);

// The arenas of one arena file of an archive checked alone: those that list
// bots for a map the archive holds without its navigation file.
void checkNavigationOfArenas(const game::ArchiveView& archive, const QByteArray& arenaText, const Place& place,
                             Findings& findings);

} // namespace gamecheck
