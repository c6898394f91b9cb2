// SPDX-License-Identifier: GPL-3.0-or-later
// The server's memory for the map it starts: the map's entities, then the
// infos of bots and arenas, then the state of each bot that joins, all in
// one pool. Which map it starts is the admin's choice, so the lists are
// judged with the map whose entities take the most, and named with it.
#include "game/InfoString.h"
#include "gamecheck/FolderContext.h"

namespace gamecheck {

using game::FileCopy;
using game::ListedFile;

namespace {

// "court", "court and yard", "court, yard, zone and 4 more maps".
QString mapNames(const std::vector<FolderContext::HeavyMap>& maps)
{
    constexpr std::size_t named = 3;
    QStringList names;
    for (std::size_t at = 0; at < std::min(named, maps.size()); ++at)
        names << shownName(maps[at].name);
    if (maps.size() > named)
        names << QStringLiteral("%1 more maps").arg(maps.size() - named);
    return spokenList(names);
}

// When the server runs short: with any map, or with the heavy ones.
QString whenItStarts(const FolderContext& context)
{
    if (context.heavyMaps.empty())
        return QStringLiteral("whatever map it starts");
    return QStringLiteral("when it starts %1, whose entities take more than the %2 bytes its bots and arenas leave")
        .arg(mapNames(context.heavyMaps), number(context.entityRoom));
}

void reportArenasPastPool(FolderContext& context, const game::NamedLoader& server, const ListedFile& file)
{
    const QString pool = QStringLiteral("The server's %1 for the map's entities and the infos of bots and arenas")
                             .arg(kilobytesOf(server.loader.pool));
    const Place place = context.placeOf(*file.copy);
    if (server.loader.poolRule == game::PoolRule::FullStopsTheGame) {
        place.add(context.findings, Severity::Error, {},
                  QStringLiteral("%1 runs out at this file %2. Its game module stops with \"G_Alloc: failed\", and "
                                 "the map does not start.")
                      .arg(pool, whenItStarts(context)));
        return;
    }
    place.add(context.findings, Severity::Error, {},
              QStringLiteral("%1 is full at %2 of this file's arenas %3: the server leaves them out, with the rest "
                             "of the file.")
                  .arg(pool)
                  .arg(file.pastPool)
                  .arg(whenItStarts(context)));
}

// The bots an arena lists that the server defines: each joins, and takes
// its state from the pool. The console splits a name at any white space.
int joiningBots(const FolderContext& context, const QByteArray& list)
{
    int count = 0;
    for (const QByteArray& listed : list.split(' ')) {
        qsizetype end = 0;
        while (end < listed.size() && static_cast<signed char>(listed[end]) > ' ')
            ++end;
        count += end > 0 && context.bots.knows(listed.left(end)) ? 1 : 0;
    }
    return count;
}

// What the pool holds when the server has started the map and loaded its
// lists; nothing where it cannot tell without loading them again.
std::optional<std::uint64_t> poolWith(const FolderContext& context, const QByteArray& map, std::uint64_t needed)
{
    const game::NamedLoader& server = context.folder.game().serverLoader();
    const std::uint64_t pool = server.loader.pool;
    if (context.heaviest && map.compare(context.heaviest->name, Qt::CaseInsensitive) == 0)
        return context.lists.front().list.poolUsed;
    const std::optional<FileCopy> bsp = context.folder.find("maps/" + map + ".bsp");
    const std::uint64_t lighter = context.serverPoolOnLighterMaps;
    const std::uint64_t spare = pool > lighter + needed ? pool - lighter - needed : 0;
    const std::optional<std::uint64_t> entities = bsp ? context.entityBytes(*bsp, spare) : std::nullopt;
    if (entities && *entities > context.entityRoom)
        return std::nullopt;
    return lighter + entities.value_or(0);
}

// Each bot's state as the pool takes it: G_Alloc compares the size asked
// for, BG_Alloc the size with its header, rounded.
int botsWithRoom(const game::NamedLoader& server, std::uint64_t used, int bots)
{
    const bool sizeHeader = server.loader.poolRule == game::PoolRule::FullEndsTheFile;
    const std::uint64_t taken = (server.botState + (sizeHeader ? 4 : 0) + 31) & ~std::uint64_t(31);
    const std::uint64_t asked = sizeHeader ? taken : server.botState;
    int joined = 0;
    for (; joined < bots && used + asked <= server.loader.pool; ++joined)
        used += taken;
    return joined;
}

void checkJoiningBots(FolderContext& context, const game::NamedLoader& server)
{
    const game::InfoList& list = context.lists.front().list;
    for (const game::ListedInfo& info : list.infos) {
        const game::ListedFile& file = list.files[info.file];
        const std::optional<QByteArray> map = game::infoValue(list.blockOf(info), "map");
        const std::optional<QByteArray> botList = game::infoValue(list.blockOf(info), "bots");
        const int bots = botList ? joiningBots(context, *botList) : 0;
        if (!map || bots == 0 || !file.copy || !context.wanted(*file.copy))
            continue;
        const std::optional<std::uint64_t> used = poolWith(context, *map, std::uint64_t(bots) * server.botState);
        const int joined = used ? botsWithRoom(server, *used, bots) : bots;
        if (joined == bots)
            continue;
        const QString outcome = server.loader.poolRule == game::PoolRule::FullStopsTheGame
            ? QStringLiteral("at the next its game module stops with \"G_Alloc: failed\"")
            : QStringLiteral("the others never join");
        context.placeOf(*file.copy)
            .add(context.findings, Severity::Error, "bots",
                 QStringLiteral("When the server starts this arena's map in single player, its %1 of memory has room "
                                "left for %2 of the %3 bots the arena lists, each of which takes %4 bytes as it "
                                "joins: %5.")
                     .arg(kilobytesOf(server.loader.pool))
                     .arg(joined)
                     .arg(bots)
                     .arg(number(server.botState), outcome));
    }
}

} // namespace

void checkServerMemory(FolderContext& context)
{
    const game::NamedLoader& server = context.folder.game().serverLoader();
    const game::InfoList& list = context.lists.front().list;
    for (const ListedFile& file : list.files) {
        if (file.pastPool == 0 || !file.copy)
            continue;
        if (context.wanted(*file.copy))
            reportArenasPastPool(context, server, file);
        // The server's module stops at the first that does not fit.
        if (server.loader.poolRule == game::PoolRule::FullStopsTheGame)
            break;
    }
    checkJoiningBots(context, server);
}

} // namespace gamecheck
