// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace game {

// How the game orders the pk3 files of a folder: byte by byte, a-z taken as
// A-Z and '\\' and ':' as '/', every other byte as a signed char, as on the
// PCs the game runs on. So '_' sorts after every letter, '-' before '.',
// and "map.pk3" before "map2.pk3" and "map_v2.pk3" but after "map-v2.pk3".
// Negative when `one` sorts first; the pk3 that sorts last is searched first.
int comparePakNames(const QByteArray& one, const QByteArray& other);

// Whether the game lists a file of this name as a pk3: its name ends in
// ".pk3", in any letter case.
bool isPakName(const QByteArray& fileName);

} // namespace game
