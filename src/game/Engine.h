// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace game {

// The engines that decide differently which copy of a file wins: ioquake3
// searches a folder's loose files before its pk3s; id's 1.32 release
// searches them after, and Quake3e searches every pk3 of every folder
// before any loose file.
enum class Engine { Ioquake3, Id132, Quake3e };
inline constexpr std::array<Engine, 3> allEngines{Engine::Ioquake3, Engine::Id132, Engine::Quake3e};

// How a sentence names an engine: "ioquake3", "id's 1.32 release", "Quake3e".
const char* engineName(Engine engine);

} // namespace game
