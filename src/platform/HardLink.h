#pragma once

#include <QString>

#include <functional>

namespace platform {

// Gives an existing file a second name. It fails across file systems, on
// file systems without links, and for another user's file where the system
// protects hard links; callers fall back to a copy.
bool makeHardLink(const QString& existing, const QString& newName);

// Tests swap in a linker that always fails, to reach the fallback.
using HardLinker = std::function<bool(const QString& existing, const QString& newName)>;

} // namespace platform
