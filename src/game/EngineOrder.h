// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/GameFolder.h"

#include <vector>

namespace game {

// Gives each source its place in each engine's search, from their order in
// ioquake3's: per game folder, its loose files, then its pk3s and pk3dirs
// from the one whose name sorts last. id's 1.32 release searches a folder's
// pk3s before its loose files, knows no pk3dir and never searches a pk3
// past the first 1,024 the file system lists; Quake3e searches the pk3s and
// pk3dirs of every folder before any folder's loose files.
void rankByEngine(std::vector<Source>& sources);

// The sources in an engine's order of search, those it never searches left out.
std::vector<std::uint32_t> searchOrder(const std::vector<Source>& sources, Engine engine);

} // namespace game
