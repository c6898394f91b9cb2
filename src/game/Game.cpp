// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Game.h"

#include "game/StockBots.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace game {

namespace {

bool sameInAnyCase(const QByteArray& one, const char* other)
{
    return one.compare(other, Qt::CaseInsensitive) == 0;
}

// Where distributions and the games' own installers put them: Debian's
// packages of ioquake3 and OpenArena, the tarballs' usual places, Steam.
constexpr std::array<const char*, 5> quake3Places{
    "/usr/lib/ioquake3", "/usr/share/games/quake3", "/usr/local/games/quake3", "/opt/quake3",
    "~/.local/share/Steam/steamapps/common/Quake 3 Arena"};
constexpr std::array<const char*, 5> openArenaPlaces{"/usr/lib/openarena", "/usr/lib/openarena-server",
                                                     "/usr/share/games/openarena", "/usr/local/games/openarena",
                                                     "/opt/openarena"};

// id's CD and its eight point releases.
constexpr std::array<ShippedPak, 9> quake3Paks{{{"baseq3", "pak0.pk3"}, {"baseq3", "pak1.pk3"}, {"baseq3", "pak2.pk3"},
                                                {"baseq3", "pak3.pk3"}, {"baseq3", "pak4.pk3"}, {"baseq3", "pak5.pk3"},
                                                {"baseq3", "pak6.pk3"}, {"baseq3", "pak7.pk3"}, {"baseq3", "pak8.pk3"}}};
// Team Arena's CD and point releases, over Quake 3's.
constexpr std::array<ShippedPak, 13> teamArenaPaks{
    {{"missionpack", "pak0.pk3"}, {"missionpack", "pak1.pk3"}, {"missionpack", "pak2.pk3"}, {"missionpack", "pak3.pk3"},
     {"baseq3", "pak0.pk3"}, {"baseq3", "pak1.pk3"}, {"baseq3", "pak2.pk3"}, {"baseq3", "pak3.pk3"},
     {"baseq3", "pak4.pk3"}, {"baseq3", "pak5.pk3"}, {"baseq3", "pak6.pk3"}, {"baseq3", "pak7.pk3"},
     {"baseq3", "pak8.pk3"}}};
// OpenArena 0.8.1, with the patches of 0.8.5 and 0.8.8, and its mission pack.
constexpr std::array<ShippedPak, 10> openArenaPaks{{{"baseoa", "pak0.pk3"},
                                                    {"baseoa", "pak1-maps.pk3"},
                                                    {"baseoa", "pak2-players.pk3"},
                                                    {"baseoa", "pak2-players-mature.pk3"},
                                                    {"baseoa", "pak4-textures.pk3"},
                                                    {"baseoa", "pak5-TA.pk3"},
                                                    {"baseoa", "pak6-misc.pk3"},
                                                    {"baseoa", "pak6-patch085.pk3"},
                                                    {"baseoa", "pak6-patch088.pk3"},
                                                    {"missionpack", "mp-pak0.pk3"}}};

// The five words of Quake 3's classic menus, in the order of the main
// window's boxes.
constexpr std::array<GameType, 5> quake3Types{{{"ffa", "Free For All", true},
                                               {"ctf", "Capture the Flag", true},
                                               {"single", "Single Player", true},
                                               {"team", "Team Death Match", true},
                                               {"tourney", "Tournament", true}}};
// Team Arena's menu lists maps by the words it finds in "type", and knows
// neither "single" nor "team": it lists Team Deathmatch maps by "ffa".
constexpr std::array<GameType, 8> teamArenaTypes{{{"ffa", "Free For All", true},
                                                  {"ctf", "Capture the Flag", true},
                                                  {"single", "Single Player", false},
                                                  {"team", "Team Death Match", false},
                                                  {"tourney", "Tournament", true},
                                                  {"oneflag", "One Flag CTF", true},
                                                  {"overload", "Overload", true},
                                                  {"harvester", "Harvester", true}}};
// OpenArena's classic menus know Quake 3's words, Team Arena's and its own.
constexpr std::array<GameType, 13> openArenaTypes{{{"ffa", "Free For All", true},
                                                   {"ctf", "Capture the Flag", true},
                                                   {"single", "Single Player", true},
                                                   {"team", "Team Death Match", true},
                                                   {"tourney", "Tournament", true},
                                                   {"oneflag", "One Flag Capture", true},
                                                   {"overload", "Overload", true},
                                                   {"harvester", "Harvester", true},
                                                   {"elimination", "Elimination", true},
                                                   {"ctfelimination", "CTF Elimination", true},
                                                   {"lms", "Last Man Standing", true},
                                                   {"dd", "Double Domination", true},
                                                   {"dom", "Domination", true}}};

constexpr std::uint64_t kilobytes = 1024;

// The game module's G_Alloc keeps the map's entities and the infos in
// 256 KB, and each bot's state when it joins (8,904 bytes in ioquake3's
// 64-bit module); the menus' UI_Alloc keeps infos in 128 KB. id's menus
// (ui.qvm, from pak8.pk3, which ioquake3 runs too unless vm_ui is 0) list
// arena files in 1,024 bytes of names and keep 64 maps of a game type in
// their Start Server menu; ioquake3's built-in menus list them in 4,096
// and keep every map.
constexpr NamedLoader quake3Server{"the server",
                                   {Engine::Ioquake3, 1024, 256 * kilobytes, PoolRule::FullStopsTheGame, false},
                                   true,
                                   0,
                                   8904};
constexpr int idStartServerMaps = 64;
constexpr std::array<NamedLoader, 4> quake3Loaders{
    {quake3Server,
     {"ioquake3's default menus",
      {Engine::Ioquake3, 1024, 128 * kilobytes, PoolRule::FullSkipsTheInfo, true, 1024,
       std::numeric_limits<int>::max(), false, GameCode::Id132Qvm, idStartServerMaps}},
     {"the 1.32 menus",
      {Engine::Id132, 1024, 128 * kilobytes, PoolRule::FullSkipsTheInfo, true, 1024, std::numeric_limits<int>::max(),
       false, GameCode::Id132Qvm, idStartServerMaps}},
     {"ioquake3's built-in menus", {Engine::Ioquake3, 4096, 128 * kilobytes, PoolRule::FullSkipsTheInfo, true}}}};
// Team Arena's menus keep infos in 1 MB and list at most 128 maps.
constexpr std::array<NamedLoader, 2> teamArenaLoaders{
    {quake3Server,
     {"Team Arena's menus",
      {Engine::Ioquake3, 1024, 1024 * kilobytes, PoolRule::FullSkipsTheInfo, false, 1024, 128}}}};
// OpenArena's server keeps the map's entities and the infos in 256 KB of
// BG_Alloc (its game module is built without the definition that would
// make it 1 MB), after 768 bytes of its own default admin levels, and a
// bot's 9,152 bytes of state when it joins; its menus list arena files in
// 20 KB of names.
constexpr std::array<NamedLoader, 2> openArenaLoaders{
    {{"the server",
      {Engine::Ioquake3, 1024, 256 * kilobytes, PoolRule::FullEndsTheFile, false, 1024, std::numeric_limits<int>::max(),
       false, GameCode::OpenArena},
      true,
      768,
      9152},
     {"the menus", {Engine::Ioquake3, 20 * 1024, 128 * kilobytes, PoolRule::FullSkipsTheInfo, true, 1024,
                    std::numeric_limits<int>::max(), true, GameCode::OpenArena}}}};

// OpenArena's own 33, as its bots.txt names them.
constexpr std::array<const char*, 33> openArenaBots{
    "Angelyss", "Dark",     "Murielle", "Nekoyss",  "Tanisha", "Rai",     "Arachna", "Assassin", "Ghost",
    "Ayumi",    "Jenna",    "Beret",    "Headcrash", "Morgan", "Gargoyle", "Broadklin", "Cyber-Garg", "Kyonshi",
    "Liz",      "Major",    "Merman",   "Neko",     "Penguin", "Sarge",   "Andriy",  "Grism",    "Sergei",
    "Skelebot", "Metalbot", "Grunt",    "S_Marine", "Sorceress", "Tony"};

// Team Arena loads Quake 3's folder beneath its own: without a bot list in
// either, Quake 3's roster stands in.
const Game quake3Game{"quake3", "Quake 3 Arena", "baseq3", nullptr, ".q3a", quake3Places, quake3Paks, quake3Types,
                      quake3Loaders, stockBots};
const Game teamArenaGame{"teamarena", "Team Arena", "missionpack", "baseq3", ".q3a", quake3Places, teamArenaPaks,
                         teamArenaTypes, teamArenaLoaders, stockBots};
const Game openArenaGame{"openarena", "OpenArena", "baseoa", nullptr, ".openarena", openArenaPlaces, openArenaPaks,
                         openArenaTypes, openArenaLoaders, openArenaBots};

constexpr std::array<const Game*, 3> games{&quake3Game, &teamArenaGame, &openArenaGame};

} // namespace

const char* engineName(Engine engine)
{
    switch (engine) {
    case Engine::Ioquake3:
        return "ioquake3";
    case Engine::Id132:
        return "id's 1.32 release";
    case Engine::Quake3e:
        return "Quake3e";
    }
    return "";
}

bool Game::ships(const QByteArray& folderName, const QByteArray& pakName) const
{
    return std::any_of(shippedPaks.begin(), shippedPaks.end(), [&](const ShippedPak& pak) {
        return sameInAnyCase(folderName, pak.folder) && sameInAnyCase(pakName, pak.name);
    });
}

const GameType* Game::typeOf(const QByteArray& word) const
{
    const auto found = std::find_if(types.begin(), types.end(),
                                    [&](const GameType& type) { return sameInAnyCase(word, type.word); });
    return found == types.end() ? nullptr : &*found;
}

QString Game::typeWords() const
{
    QStringList words;
    for (const GameType& type : types)
        words << QString::fromLatin1(type.word);
    return words.mid(0, words.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + words.last();
}

const Game& quake3()
{
    return quake3Game;
}

const Game& teamArena()
{
    return teamArenaGame;
}

const Game& openArena()
{
    return openArenaGame;
}

std::span<const Game* const> allGames()
{
    return games;
}

const Game* gameWithId(const QString& id)
{
    const auto found = std::find_if(games.begin(), games.end(), [&](const Game* game) { return id == QLatin1String(game->id); });
    return found == games.end() ? nullptr : *found;
}

} // namespace game
