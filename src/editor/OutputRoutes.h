// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace editor {

// What the save dialog shows on each output route, and the key under which
// the route remembers the name last used.
struct OutputRoute {
    const char* filter;
    const char* dialogTitle;
    const char* settingsKey;
};

inline constexpr OutputRoute saveRoute{".Arena Files (*.arena)|*.arena", "Create .Arena File", ".Arena"};
inline constexpr OutputRoute pk3Route{"PK3 Files (*.pk3)|*.pk3", "Add .arena file to PK3", "Pk3"};

// The name a route last used, from the per-user settings store (application
// "Mapwright", section "Filenames"); empty when there is none.
QString rememberedName(const OutputRoute& route);
// Returns whether the name was stored.
bool rememberName(const OutputRoute& route, const QString& name);

} // namespace editor
