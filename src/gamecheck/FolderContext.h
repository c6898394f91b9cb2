// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/GameFolder.h"
#include "game/InfoLists.h"
#include "gamecheck/FolderRules.h"
#include "gamecheck/KnownBots.h"
#include "gamecheck/MapFacts.h"
#include "gamecheck/Place.h"

#include <QByteArrayList>
#include <QSet>

#include <vector>

namespace gamecheck {

// One of the game's loaders of the arena list, with the list it makes.
struct LoadedList {
    const game::NamedLoader* loader;
    game::InfoList list;
    QString name() const { return QString::fromLatin1(loader->name); }
};

// What every family of the folder's rules shares: the folder as the game
// loads it, the lists its loaders make, which copies some engine reads, and
// the findings so far.
class FolderContext {
public:
    FolderContext(const game::GameFolder& folder, const FolderCheckOptions& options);

    const game::GameFolder& folder;
    const FolderCheckOptions& options;
    MapFactsReader facts;
    Findings findings;
    KnownBots bots;
    std::vector<LoadedList> lists; // by the game's loaders, the server's first
    game::InfoList every;          // every arena the folder holds, before any limit
    game::InfoList botList;        // the server's bots

    // A map whose entities take more of the server's pool than its bots and
    // arenas leave: started, it changes what the server loads.
    struct HeavyMap {
        QByteArray name;
        std::uint64_t bytes = 0;
    };
    std::vector<HeavyMap> heavyMaps; // by name
    // The server's lists are those it loads with the heaviest of them; with
    // a lighter map, it takes this many arenas.
    std::optional<HeavyMap> heaviest;
    int serverArenasOnLighterMaps = 0;
    std::uint64_t serverPoolOnLighterMaps = 0; // what its pool holds with them, the map's entities aside
    // The pool bytes entities of a map may take and change nothing.
    std::uint64_t entityRoom = 0;
    // The bytes of a map's entities in the server's pool, where its text
    // may take more than `atLeast`; nothing where it takes less, or the
    // map cannot start.
    std::optional<std::uint64_t> entityBytes(game::FileCopy bsp, std::uint64_t atLeast) const;

    // Whether findings about this file are wanted.
    bool wanted(const QByteArray& file) const { return options.only.isEmpty() || options.only.contains(file); }
    bool wanted(game::FileCopy copy) const { return wanted(folder.fileOf(copy)); }

    Place placeOf(game::FileCopy copy) const;
    // Advice on a file that works only where the game reads loose files.
    void adviseOnLooseFile(game::FileCopy copy);
    // How a sentence names a file other than the one it is about.
    QString describe(game::FileCopy copy) const;
    // A file as a sentence about `from` names it: by its entry alone when
    // both are in one archive.
    QString describeEntry(game::FileCopy copy, game::FileCopy from) const;
    // Why `winner` comes before `loser` in ioquake3's search.
    QString whyFirst(game::FileCopy winner, game::FileCopy loser) const;
    // Whether two copies of a file hold different bytes.
    bool differ(game::FileCopy one, game::FileCopy other) const;
    // The map of an arena of `every`, by its file and block.
    std::optional<QByteArray> blockMap(game::FileCopy copy, std::size_t block) const;

    // Every name under which some engine asks for a list of arenas or bots.
    const QByteArrayList& requests();
    // The copies of arena and bot files that some engine reads.
    QSet<game::FileCopy> readBy;

private:
    void loadServerLists(std::uint64_t entities);
    void findHeavyMaps();

    QByteArrayList requested;
    game::InfoList serverArenas;
};

// Whether an entry's key names a map the game can start: maps/<name>.bsp.
bool isMapName(const QByteArray& key);

// The families of rules, each run once over the folder, in this order.
void checkArchivesOfFolder(FolderContext& context);
void checkArenaFilesOfFolder(FolderContext& context);
void checkDoubledMaps(FolderContext& context);
void checkHiddenCopies(FolderContext& context);
void checkListLimits(FolderContext& context);
void checkMapsOfFolder(FolderContext& context);
void checkShadowedPacks(FolderContext& context);
void checkServerMemory(FolderContext& context);
void checkStartServerMenu(FolderContext& context);

// The levelshot of an arena's map, as the menu loads it.
void checkLevelshot(FolderContext& context, const QByteArray& map, game::FileCopy arena, const Place& place);

// Wording shared by the families.
QString spokenList(const QStringList& items); // "a", "a and b", "a, b and c"
QString number(qulonglong value);             // "1,024"
QString counted(qulonglong count, const char* one, const char* many); // "1 map", "2 maps"
QString kilobytesOf(std::uint64_t bytes);     // "256 KB", "1 MB"

} // namespace gamecheck
