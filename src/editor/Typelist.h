// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/Game.h"

#include <QString>

#include <span>

namespace editor {

// The tags of the ticked boxes (value 1; a greyed box, value 2, does not
// count) in index order, separated by single spaces: the five of every
// game, then those a game has besides, each its game's word for its type.
QString buildTypelist(std::span<const int> boxValues, const game::Game& game = game::quake3());

} // namespace editor
