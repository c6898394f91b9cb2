// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/FolderContext.h"

#include "game/InfoString.h"
#include "game/Limits.h"
#include "game/MapEntities.h"
#include "gamecheck/ShownName.h"

#include <QFileInfo>
#include <QLocale>

namespace gamecheck {

using game::FileCopy;
using game::Source;

namespace {

// The bots the server loads; without any list of bots in the folder, the
// game's own roster is missing only from the folder checked, not from the game.
KnownBots botsOf(const game::InfoList& botList, const game::Game& game)
{
    QByteArrayList names;
    for (const game::ListedInfo& info : botList.infos) {
        if (const std::optional<QByteArray> name = game::infoValue(botList.blockOf(info), "name"))
            names << *name;
    }
    if (botList.files.front().fate == game::ListedFile::Fate::NotFound) {
        for (const char* name : game.stockBots)
            names << name;
    }
    return KnownBots::ofFolder(names, game);
}

} // namespace

FolderContext::FolderContext(const game::GameFolder& folder, const FolderCheckOptions& options)
    : folder(folder), options(options), facts(folder, options.checksums)
{
    loadServerLists(0);
    findHeavyMaps();
    bots = botsOf(botList, folder.game());
    for (const game::NamedLoader& loader : folder.game().arenaLoaders)
        lists.push_back({&loader, loader.server ? serverArenas : game::loadArenas(folder, loader.loader)});
    every = game::loadArenas(folder, game::unlimitedLoader);
}

// The server's module takes its own share of the pool, then the map's
// entities, then the bots' infos, then the arenas'.
void FolderContext::loadServerLists(std::uint64_t entities)
{
    const game::NamedLoader& server = folder.game().serverLoader();
    botList = game::loadBots(folder, server.loader, server.moduleOwn + entities);
    serverArenas = game::loadArenas(folder, server.loader, botList.poolUsed);
    const std::uint64_t peak = std::max(botList.poolPeak, serverArenas.poolPeak);
    if (entities > 0)
        return;
    entityRoom = server.loader.pool > peak ? server.loader.pool - peak : 0;
    serverArenasOnLighterMaps = int(serverArenas.infos.size());
    serverPoolOnLighterMaps = serverArenas.poolUsed;
}

std::optional<std::uint64_t> FolderContext::entityBytes(FileCopy bsp, std::uint64_t atLeast) const
{
    const std::optional<QByteArray> start = folder.readStart(bsp, 16);
    const std::optional<game::MapEntities::Place> place = game::MapEntities::placeIn(start.value_or(QByteArray()));
    if (!place || game::MapEntities::mostPoolBytes(place->length) <= atLeast)
        return std::nullopt;
    const MapFacts known = facts.of(bsp);
    const bool sizeHeader = folder.game().serverLoader().loader.poolRule == game::PoolRule::FullEndsTheFile;
    return sizeHeader ? known.entitiesWithHeader : known.entities;
}

// Which map the server starts is the admin's choice: its lists are judged
// with the map whose entities take the most of the pool, and the maps that
// leave the bots and arenas too little room are named.
void FolderContext::findHeavyMaps()
{
    QByteArrayList keys;
    for (auto named = folder.index().cbegin(); named != folder.index().cend(); ++named) {
        if (isMapName(named.key()))
            keys << named.key();
    }
    std::sort(keys.begin(), keys.end());
    for (const QByteArray& key : keys) {
        const QByteArray name = folder.nameOf(folder.index().value(key).front());
        const std::optional<FileCopy> bsp = folder.find(name);
        if (!bsp)
            continue;
        const std::optional<std::uint64_t> bytes = entityBytes(*bsp, entityRoom);
        if (!bytes || *bytes <= entityRoom)
            continue;
        heavyMaps.push_back({name.mid(5).chopped(4), *bytes});
        if (!heaviest || *bytes > heaviest->bytes)
            heaviest = heavyMaps.back();
    }
    if (heaviest)
        loadServerLists(heaviest->bytes);
}

Place FolderContext::placeOf(FileCopy copy) const
{
    return {folder.fileOf(copy), folder.sourceOf(copy).loose() ? QString() : shownName(folder.nameOf(copy))};
}

void FolderContext::adviseOnLooseFile(FileCopy copy)
{
    if (!folder.sourceOf(copy).loose() || !wanted(copy))
        return;
    placeOf(copy).add(findings, Severity::Advice, {},
                      QStringLiteral("The file lies outside any pk3. The game reads it here, but a pure server "
                                     "(sv_pure 1, the default) has the games that join it ignore loose files and "
                                     "pk3dir folders: pack it into a pk3 before you share the map."));
}

QString FolderContext::describe(FileCopy copy) const
{
    const Source& source = folder.sourceOf(copy);
    QString where;
    if (source.folder > 0) {
        // Named by its folder's name where that tells it apart, else by its path.
        const game::GameDirectory& directory = folder.directoryOf(source);
        const auto& directories = folder.searchPath().directories;
        const bool nameIsEnough = std::count_if(directories.begin(), directories.end(), [&](const game::GameDirectory& other) {
                                      return other.name == directory.name;
                                  }) == 1;
        where = (nameIsEnough ? shownName(directory.name) : shownPath(directory.path)) + QLatin1Char('/');
    }
    if (source.loose() && !source.pakFolder)
        return QStringLiteral("the loose file %1%2").arg(where, shownName(folder.nameOf(copy)));
    const QString pak = where + shownName(source.name);
    return source.pakFolder ? QStringLiteral("%1/%2").arg(pak, shownName(folder.nameOf(copy))) : pak;
}

QString FolderContext::describeEntry(FileCopy copy, FileCopy from) const
{
    const Source& source = folder.sourceOf(copy);
    if (copy.source == from.source && !source.loose())
        return shownName(folder.nameOf(copy));
    if (source.loose())
        return describe(copy);
    return describe(copy) + QLatin1Char(':') + shownName(folder.nameOf(copy));
}

QString FolderContext::whyFirst(FileCopy winner, FileCopy loser) const
{
    const Source& won = folder.sourceOf(winner);
    const Source& lost = folder.sourceOf(loser);
    if (winner.source == loser.source)
        return QStringLiteral("which comes later in the same archive");
    if (won.folder != lost.folder) {
        const game::GameDirectory& wonIn = folder.directoryOf(won);
        const game::GameDirectory& lostIn = folder.directoryOf(lost);
        if (wonIn.mod && !lostIn.mod)
            return QStringLiteral("in the mod's folder, which the game searches first");
        if (wonIn.inHome && !lostIn.inHome && wonIn.name == lostIn.name)
            return QStringLiteral("in your home folder of the game, which it searches before the install");
        return QStringLiteral("in a folder the game searches first");
    }
    if (won.loose() && !won.pakFolder)
        return QStringLiteral("since ioquake3 reads a folder's loose files before its pk3s");
    return QStringLiteral("which sorts after %1")
        .arg(lost.loose() && !lost.pakFolder ? QStringLiteral("it") : shownName(lost.name));
}

bool FolderContext::differ(FileCopy one, FileCopy other) const
{
    const std::optional<std::uint32_t> crcOne = folder.statedCrc(one), crcOther = folder.statedCrc(other);
    if (crcOne && crcOther && folder.statedSize(one) && folder.statedSize(other))
        return *crcOne != *crcOther || *folder.statedSize(one) != *folder.statedSize(other);
    const game::CopyBytes a = folder.read(one, game::arenaFileLimit), b = folder.read(other, game::arenaFileLimit);
    return !a.bytes || !b.bytes || *a.bytes != *b.bytes;
}

std::optional<QByteArray> FolderContext::blockMap(FileCopy copy, std::size_t block) const
{
    for (const game::ListedInfo& info : every.infos) {
        const game::ListedFile& file = every.files[info.file];
        if (file.copy == copy && info.block == block)
            return game::infoValue(every.blockOf(info), "map");
    }
    return std::nullopt;
}

const QByteArrayList& FolderContext::requests()
{
    if (!requested.isEmpty())
        return requested;
    requested = {"scripts/arenas.txt", "scripts/bots.txt"};
    QSet<QByteArray> seen(requested.begin(), requested.end());
    for (const game::Engine engine : game::allEngines) {
        for (const char* extension : {".arena", ".bot"}) {
            for (const QByteArray& name : folder.listFiles("scripts", extension, engine)) {
                const QByteArray request = "scripts/" + name;
                if (!seen.contains(request)) {
                    seen.insert(request);
                    requested << request;
                }
            }
        }
    }
    return requested;
}

QString spokenList(const QStringList& items)
{
    if (items.size() <= 1)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + items.last();
}

QString number(qulonglong value)
{
    return QLocale(QLocale::English).toString(value);
}

QString counted(qulonglong count, const char* one, const char* many)
{
    return number(count) + QLatin1Char(' ') + QString::fromLatin1(count == 1 ? one : many);
}

QString kilobytesOf(std::uint64_t bytes)
{
    return bytes >= 1024 * 1024 ? QStringLiteral("%1 MB").arg(bytes / (1024 * 1024))
                                : QStringLiteral("%1 KB").arg(bytes / 1024);
}

bool isMapName(const QByteArray& key)
{
    return key.startsWith("maps/") && key.endsWith(".bsp") && key.count('/') == 1;
}

} // namespace gamecheck
