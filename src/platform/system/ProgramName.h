// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1String>

namespace platform {

// The title of every message and progress window, and the application name
// the per-user settings are kept under.
inline constexpr QLatin1String programName("Mapwright");

} // namespace platform
