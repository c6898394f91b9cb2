// SPDX-License-Identifier: GPL-3.0-or-later
// The folders the game searches for the folder a user names, as the engine
// builds its search path: a mod's before its base, the home's before the
// install's, whichever of them is named.
#include "game/SearchPath.h"
#include "support/Testing.h"

namespace {

struct SearchPathCase {
    const char* name;
    QStringList folders;    // made under a temporary root: "install/baseoa", "home/baseoa"...
    QString named;          // the folder the user names
    bool homeGiven = true;  // --home names root/home; otherwise the user's home is looked in
    bool installGiven = false; // --base names root/install
    const char* game;       // the game found
    QStringList searched;   // the search path, most important first
};

// Test names and failures show the row by its name.
void PrintTo(const SearchPathCase& row, std::ostream* out)
{
    *out << row.name;
}

const SearchPathCase cases[] = {
    {"install_named_home_given", {"install/baseoa", "home/baseoa"}, "install/baseoa", true, false, "openarena",
     {"home/baseoa", "install/baseoa"}},
    {"home_named_install_given", {"install/baseoa", "home/baseoa"}, "home/baseoa", true, true, "openarena",
     {"home/baseoa", "install/baseoa"}},
    {"mod_beside_baseoa", {"install/baseoa", "install/mymod", "home/mymod"}, "install/mymod", true, false, "openarena",
     {"home/mymod", "install/mymod", "install/baseoa"}},
    {"team_arena_over_quake3", {"install/baseq3", "install/missionpack", "home/baseq3"}, "install/missionpack", true,
     false, "teamarena", {"install/missionpack", "home/baseq3", "install/baseq3"}},
    {"openarenas_mission_pack_is_a_mod_of_it", {"install/baseoa", "install/missionpack"}, "install/missionpack", true,
     false, "openarena", {"install/missionpack", "install/baseoa"}},
    {"mod_beside_baseq3", {"install/baseq3", "install/cpma"}, "install/cpma", true, false, "quake3",
     {"install/cpma", "install/baseq3"}},
    {"no_home_folder_of_the_game", {"install/baseq3"}, "install/baseq3", false, false, "quake3", {"install/baseq3"}},
    // A folder that tells no game is read alone, whatever the usual places hold.
    {"folder_of_no_game", {"downloads/maps", "home/baseq3"}, "downloads/maps", false, false, "quake3", {"downloads/maps"}},
};

class SearchPathTable : public testing::TestWithParam<SearchPathCase> {};

TEST_P(SearchPathTable, IsTheEnginesOrderOfFolders)
{
    const SearchPathCase& row = GetParam();
    const QTemporaryDir root;
    for (const QString& folder : row.folders)
        QDir().mkpath(root.filePath(folder));
    game::Locations where;
    where.usualPlaces = true;
    // The user's own home, where no --home is given, is the temporary root's.
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", root.path().toUtf8());
    if (row.homeGiven)
        where.home = root.filePath("home");
    else
        QDir().mkpath(root.filePath(".q3a"));
    if (row.installGiven)
        where.install = root.filePath("install");
    const game::SearchPath path = game::searchPathOf(root.filePath(row.named), where);
    qputenv("HOME", home);
    QStringList searched;
    for (const QString& folder : path.paths())
        searched << QDir(root.path()).relativeFilePath(folder);
    EXPECT_EQ(searched, row.searched);
    EXPECT_STREQ(path.game->id, row.game);
}

INSTANTIATE_TEST_SUITE_P(, SearchPathTable, testing::ValuesIn(cases),
                         [](const testing::TestParamInfo<SearchPathCase>& info) { return std::string(info.param.name); });

} // namespace
