// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace platform {

// Lets the process hold `count` files open at once, as far as the system's
// hard limit allows, and returns how many it may now hold. A desktop
// session's soft limit (often 1,024) is far below what one game folder
// of pk3s can need.
std::size_t allowOpenFiles(std::size_t count);

} // namespace platform
