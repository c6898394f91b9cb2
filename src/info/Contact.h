#pragma once

#include <QLatin1String>

namespace info {

// Where users reach the maker. The Help and the About window both show the
// address; it is written here only, so the windows can never disagree.
inline constexpr QLatin1String contactAddress("feedback@mapwright.example.org");

} // namespace info
