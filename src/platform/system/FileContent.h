// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <sys/types.h>

namespace platform {

// Writes all `size` bytes at `offset`, however many calls the system takes;
// false, with errno set, when it cannot.
bool writeAllAt(int descriptor, const char* bytes, std::size_t size, off_t offset);

// Copies the whole content of one open file over the start of another, a
// buffer at a time; its size, or nothing (errno set) when reading or
// writing fails. What lies past it in `to` stays.
std::optional<off_t> copyContent(int from, int to);

// Whether two open files hold the same bytes.
bool sameContent(int one, int other);

} // namespace platform
