// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace game {

// The game code that reads arena and bot files: a server's game module and
// a client's menu module, which may come from elsewhere than the engine.
// ioquake3 and Quake3e run the QVMs of id's 1.32 release by default (from
// pak8.pk3, with vm_game and vm_ui 2); ioquake3 can run its own native
// module instead (vm_game 0), as Debian's ioquake3-server does; OpenArena
// runs its own. They share the file parser, and differ in a few limits.
enum class GameCode { Ioquake3Native, Id132Qvm, OpenArena };
inline constexpr std::array<GameCode, 3> allGameCodes{GameCode::Ioquake3Native, GameCode::Id132Qvm,
                                                      GameCode::OpenArena};

// The longest info string the code keeps, in bytes without its NUL:
// ioquake3 and OpenArena refuse a key that would make it 1,024 bytes or
// more, id's 1.32 code only one that would make it more than 1,024.
inline constexpr int longestInfoString(GameCode code)
{
    return code == GameCode::Id132Qvm ? 1024 : 1023;
}

} // namespace game
