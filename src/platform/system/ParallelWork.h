// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>

namespace platform {

// Runs `work` once for each of `count` items, on up to four threads that
// share them out, and returns when all are done. The work of different
// items must not touch the same data.
void forEachInParallel(std::size_t count, const std::function<void(std::size_t item)>& work);

} // namespace platform
