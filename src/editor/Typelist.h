// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

namespace editor {

// The game-type tags of the typeselect boxes, by index.
inline constexpr std::array<const char*, 5> gameTypeTags = {"ffa", "ctf", "single", "team", "tourney"};

// The tags of the ticked boxes (value 1; a greyed box, value 2, does not
// count) in index order, separated by single spaces.
QString buildTypelist(const std::array<int, 5>& boxValues);

} // namespace editor
