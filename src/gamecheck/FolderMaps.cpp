// SPDX-License-Identifier: GPL-3.0-or-later
// Each map of the folder: the arenas that list it, its levelshot, and the
// bot navigation file its bots find their way by.
#include "game/InfoString.h"
#include "game/Levelshot.h"
#include "game/MapChecksum.h"
#include "gamecheck/ArchiveRules.h"
#include "gamecheck/FolderContext.h"
#include "gamecheck/Navigation.h"

namespace gamecheck {

using game::FileCopy;
using game::ListedInfo;

namespace {

using ArenasOfMap = std::vector<const ListedInfo*>;

bool mapConcernsWanted(const FolderContext& context, FileCopy bsp, const QByteArray& map, const ArenasOfMap& arenas)
{
    if (context.options.only.isEmpty() || context.wanted(bsp))
        return true;
    if (const std::optional<FileCopy> aas = context.folder.find("maps/" + map + ".aas"); aas && context.wanted(*aas))
        return true;
    return std::any_of(arenas.begin(), arenas.end(), [&](const ListedInfo* info) {
        const std::optional<FileCopy>& copy = context.every.files[info->file].copy;
        return copy && context.wanted(*copy);
    });
}

// A map without its navigation file: an error where an arena lists bots
// for it, advice otherwise.
void reportNoNavigation(FolderContext& context, const QByteArray& map, FileCopy bsp, const ArenasOfMap& arenas)
{
    for (const ListedInfo* info : arenas) {
        const game::ListedFile& file = context.every.files[info->file];
        if (!listsBots(context.every.blockOf(*info)) || !file.copy)
            continue;
        if (context.wanted(*file.copy)) {
            context.placeOf(*file.copy)
                .inArena(int(info->block))
                .add(context.findings, Severity::Error, "bots", noNavigationForBots("folder", map));
        }
        return;
    }
    if (context.wanted(bsp))
        context.placeOf(bsp).add(context.findings, Severity::Advice, {}, noNavigationForMap("folder", map));
}

void checkNavigation(FolderContext& context, const QByteArray& map, FileCopy bsp, const ArenasOfMap& arenas)
{
    const std::optional<FileCopy> aas = context.folder.find("maps/" + map + ".aas");
    if (!aas) {
        reportNoNavigation(context, map, bsp, arenas);
        return;
    }
    if (!context.wanted(*aas))
        return;
    const Place place = context.placeOf(*aas);
    const std::optional<QByteArray> start = context.folder.readStart(*aas, game::aasHeaderSize);
    if (const QString problem = navigationHeaderProblem(map, start.value_or(QByteArray())); !problem.isEmpty()) {
        place.add(context.findings, Severity::Error, {}, problem);
        return;
    }
    const std::optional<std::uint32_t> checksum = context.facts.of(bsp).checksum;
    if (checksum && *checksum != game::readAasHeader(*start).mapChecksum) {
        place.add(context.findings, Severity::Error, {},
                  QStringLiteral("maps/%1.aas was built for another version of maps/%1.bsp, the one in %2. The game "
                                 "refuses it as out of date, so bots cannot play this map.")
                      .arg(shownName(map), context.describe(bsp)));
    }
}

} // namespace

void checkLevelshot(FolderContext& context, const QByteArray& map, FileCopy arena, const Place& place)
{
    for (const QByteArray& name : game::levelshotNames(map)) {
        const std::optional<FileCopy> picture = context.folder.find(name);
        if (!picture)
            continue;
        const std::optional<QByteArray> header = context.folder.readStart(*picture, game::levelshotHeaderSize(name));
        const game::LevelshotFault fault =
            header ? game::levelshotFault(name, *header) : game::LevelshotFault{QStringLiteral("unreadable")};
        if (!fault.problem.isEmpty())
            place.add(context.findings, Severity::Error, "map",
                      levelshotSentence(context.describeEntry(*picture, arena), fault));
        return;
    }
    place.add(context.findings, Severity::Advice, "map",
              QStringLiteral("The folder holds no levelshots/%1.tga, .jpg, .jpeg or .png. The menu shows the grey "
                             "\"unknown map\" picture for this map.")
                  .arg(shownName(map)));
}

// Two arenas for one map, wherever they are: the menus list both.
void checkDoubledMaps(FolderContext& context)
{
    QHash<QByteArray, FileCopy> firstArenaOf;
    for (const ListedInfo& info : context.every.infos) {
        const game::ListedFile& file = context.every.files[info.file];
        const std::optional<QByteArray> map = game::infoValue(context.every.blockOf(info), "map");
        if (!map || !file.copy)
            continue;
        const QByteArray key = map->toLower();
        if (const auto first = firstArenaOf.constFind(key); first != firstArenaOf.cend()) {
            if (!context.wanted(*file.copy))
                continue;
            context.placeOf(*file.copy)
                .add(context.findings, Severity::Error, "map",
                     QStringLiteral("The map %1 is listed by another arena too, in %2. The menus list the map twice.")
                         .arg(shownName(*map), context.describeEntry(*first, *file.copy)));
        } else {
            firstArenaOf.insert(key, *file.copy);
        }
    }
}

// Each map's arena and bot navigation file.
void checkMapsOfFolder(FolderContext& context)
{
    QHash<QByteArray, ArenasOfMap> arenasOf;
    for (const ListedInfo& info : context.every.infos) {
        if (const std::optional<QByteArray> map = game::infoValue(context.every.blockOf(info), "map"))
            arenasOf[map->toLower()].push_back(&info);
    }
    // In the order of the maps' names, whatever order the index keeps.
    QByteArrayList keys;
    for (auto named = context.folder.index().cbegin(); named != context.folder.index().cend(); ++named) {
        if (isMapName(named.key()))
            keys << named.key();
    }
    std::sort(keys.begin(), keys.end());
    for (const QByteArray& key : keys) {
        const QByteArray name = context.folder.nameOf(context.folder.index().value(key).front());
        const std::optional<FileCopy> bsp = context.folder.find(name);
        if (!bsp)
            continue; // a loose file in another case than asked for
        const QByteArray map = name.mid(5).chopped(4);
        const ArenasOfMap& arenas = arenasOf.value(map.toLower());
        if (!mapConcernsWanted(context, *bsp, map, arenas))
            continue;
        context.adviseOnLooseFile(*bsp);
        if (arenas.empty() && context.wanted(*bsp)) {
            context.placeOf(*bsp).add(context.findings, Severity::Error, {},
                                      QStringLiteral("No arena file of the folder lists the map %1, so it is missing "
                                                     "from every menu and starts only from the console.")
                                          .arg(shownName(map)));
        }
        checkNavigation(context, map, *bsp, arenas);
    }
}

} // namespace gamecheck
