// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1String>

namespace info {

// Where users reach the maker. The Help and the About window both show the
// address, and the About window's link opens the page; each is written
// here only, so the windows can never disagree.
inline constexpr QLatin1String contactAddress("feedback@mapwright.example.org");
inline constexpr QLatin1String webPage("http://mapwright.example.org/");

} // namespace info
