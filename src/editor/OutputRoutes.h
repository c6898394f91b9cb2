#pragma once

namespace editor {

// Where the remembered file names live in the settings store.
inline constexpr char settingsApplication[] = "Mapwright";
inline constexpr char settingsSection[] = "Filenames";

// What the save dialog shows on each output route, and the key under which
// the route remembers the name last used.
struct OutputRoute {
    const char* filter;
    const char* dialogTitle;
    const char* settingsKey;
};

inline constexpr OutputRoute saveRoute{".Arena Files (*.arena)|*.arena", "Create .Arena File", ".Arena"};
inline constexpr OutputRoute pk3Route{"PK3 Files (*.pk3)|*.pk3", "Add .arena file to PK3", "Pk3"};

} // namespace editor
