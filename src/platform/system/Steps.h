// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace platform {

// Called as work that writes a user's file passes a named step, so that
// tests can fail or kill it there; the program leaves it empty.
using StepHook = std::function<void(const char* step)>;

inline void reach(const StepHook& hook, const char* step)
{
    if (hook)
        hook(step);
}

} // namespace platform
