// SPDX-License-Identifier: GPL-3.0-or-later
// What each of the game's loaders drops for its limits: arena files past
// its list of names, arenas past 1,024 in all or past its memory, and the
// arenas the classic menu cannot reach by number.
#include "game/InfoString.h"
#include "gamecheck/FolderContext.h"

#include <QMap>

namespace gamecheck {

using game::FileCopy;
using game::ListedFile;
using game::ListedInfo;

namespace {

// What the loaders drop of one file, to be told in one finding each.
struct Drops {
    FileCopy copy;
    QStringList pastNames;      // the loaders whose list of names it comes after
    QStringList pastNamesBytes; // and the bytes of each one's list
    QMap<int, QStringList> pastMost;            // loaders, by how many of its arenas come after the 1,024th
    QMap<std::pair<int, QString>, QStringList> pastPool; // loaders, by how many find their memory full, and its size
};

// A name the game lists but cannot take: once for all loaders.
void checkListedName(FolderContext& context, const ListedFile& file, const LoadedList& loaded, QSet<QByteArray>& badNames)
{
    if (!file.copy || file.fate == ListedFile::Fate::PastNameBuffer || badNames.contains(file.request))
        return;
    // The game module copies "scripts/" and the name into 128 bytes unchecked.
    const bool overflows = file.request.size() >= 128;
    if (file.fate != ListedFile::Fate::NotFound && !overflows)
        return;
    badNames.insert(file.request);
    const Place place = context.placeOf(*file.copy);
    if (overflows) {
        place.add(context.findings, Severity::Error, {},
                  QStringLiteral("The name %1 is %2 characters long. The game copies it into 128 bytes with "
                                 "\"scripts/\" before it, without a check, and %3 crash.")
                      .arg(shownName(file.request.mid(8)))
                      .arg(file.request.size() - 8)
                      .arg(loaded.loader->server ? QStringLiteral("the server and the menus") : QStringLiteral("the menus")));
    } else {
        place.add(context.findings, Severity::Error, {},
                  QStringLiteral("The game lists this file as %1, but refuses to open a name with \"..\" or \"::\", so "
                                 "none of its arenas show.")
                      .arg(shownName(file.request)));
    }
}

void reportPastNames(FolderContext& context, const Drops& drop, const Place& place)
{
    // "1,024 bytes for the server and the 1.32 menus".
    QStringList limits, readers, sizes;
    QMap<QString, QStringList> namesOfSize;
    for (qsizetype at = 0; at < drop.pastNames.size(); ++at) {
        if (!sizes.contains(drop.pastNamesBytes[at]))
            sizes << drop.pastNamesBytes[at];
        namesOfSize[drop.pastNamesBytes[at]] << drop.pastNames[at];
    }
    for (const QString& size : sizes)
        limits << QStringLiteral("%1 bytes for %2").arg(size, spokenList(namesOfSize[size]));
    for (const LoadedList& loaded : context.lists) {
        if (!drop.pastNames.contains(loaded.name()))
            readers << loaded.name();
    }
    const QString who = readers.isEmpty()
        ? QStringLiteral("neither the server nor any menu ever reads its arenas.")
        : QStringLiteral("%1 never read its arenas; only %2 do.").arg(spokenList(drop.pastNames), spokenList(readers));
    place.add(context.findings, Severity::Error, {},
              QStringLiteral("Its name comes after the names that fill the game's list of arena file names (%1), so %2")
                  .arg(limits.join(QStringLiteral("; ")), who));
}

void reportDrops(FolderContext& context, const Drops& drop)
{
    const Place place = context.placeOf(drop.copy);
    if (!drop.pastNames.isEmpty())
        reportPastNames(context, drop, place);
    for (auto most = drop.pastMost.cbegin(); most != drop.pastMost.cend(); ++most) {
        const bool one = most.key() == 1;
        place.add(context.findings, Severity::Error, {},
                  QStringLiteral("%1 of its arenas %2 after the first 1,024 that %3 take in all, so %4.")
                      .arg(most.key())
                      .arg(one ? QStringLiteral("comes") : QStringLiteral("come"), spokenList(most.value()),
                           one ? QStringLiteral("it never shows") : QStringLiteral("they never show")));
    }
    for (auto pool = drop.pastPool.cbegin(); pool != drop.pastPool.cend(); ++pool) {
        const bool one = pool.key().first == 1;
        place.add(context.findings, Severity::Error, {},
                  QStringLiteral("%1 of its arenas %2 the %3 that %4 keep for arenas full, so %5 there.")
                      .arg(pool.key().first)
                      .arg(one ? QStringLiteral("finds") : QStringLiteral("find"), pool.key().second,
                           spokenList(pool.value()), one ? QStringLiteral("it never shows") : QStringLiteral("they never show")));
    }
}

// The menus find each arena by a number, single-player arenas first in
// tiers of four; the ones over a multiple of four share numbers with
// others, and only the first of two arenas with one number shows.
void checkTiers(FolderContext& context)
{
    QMap<std::pair<FileCopy, std::size_t>, QStringList> unshown;
    QList<std::pair<FileCopy, std::size_t>> order;
    QMap<std::pair<FileCopy, std::size_t>, int> singlePlayerCount;
    for (const LoadedList& loaded : context.lists) {
        if (!loaded.loader->loader.numbersArenas)
            continue;
        int singlePlayer = 0;
        for (const ListedInfo& info : loaded.list.infos) {
            const std::optional<QByteArray> type = game::infoValue(loaded.list.blockOf(info), "type");
            const std::optional<QByteArray> special = game::infoValue(loaded.list.blockOf(info), "special");
            if (type && type->contains("single") && (!special || special->isEmpty()))
                ++singlePlayer;
        }
        if (singlePlayer % 4 == 0)
            continue;
        for (const ListedInfo& info : loaded.list.infos) {
            const ListedFile& file = loaded.list.files[info.file];
            if (info.numbered || !file.copy || !context.wanted(*file.copy))
                continue;
            const auto key = std::pair{*file.copy, info.block};
            if (!unshown.contains(key))
                order << key;
            unshown[key] << loaded.name();
            singlePlayerCount[key] = singlePlayer;
        }
    }
    for (const auto& key : order) {
        const std::optional<QByteArray> map = context.blockMap(key.first, key.second);
        const int count = singlePlayerCount[key];
        context.placeOf(key.first).inArena(int(key.second)).add(context.findings, Severity::Error, "map",
                                       QStringLiteral("The folder holds %1, not a multiple of 4: %2 over %3 the "
                                                      "numbers of other arenas, so %4 never show the arena of the map "
                                                      "%5.")
                                           .arg(counted(qulonglong(count), "single-player arena", "single-player arenas"))
                                           .arg(count % 4 == 1 ? QStringLiteral("the one") : QStringLiteral("the %1").arg(count % 4),
                                                count % 4 == 1 ? QStringLiteral("takes") : QStringLiteral("take"),
                                                spokenList(unshown[key]), shownName(map.value_or("<none>"))));
    }
}

// Notes what a loader drops of one file. What the server's memory drops
// depends on the map it starts, and is told with the server's memory.
void noteDrops(const LoadedList& loaded, const ListedFile& file, Drops& drop)
{
    const QString who = loaded.name();
    const game::ListLoader& loader = loaded.loader->loader;
    if (file.fate == ListedFile::Fate::PastNameBuffer) {
        drop.pastNames << who;
        drop.pastNamesBytes << number(qulonglong(loader.nameBuffer));
    }
    if (file.pastMost > 0)
        drop.pastMost[file.pastMost] << who;
    if (file.pastPool > 0 && !loaded.loader->server)
        drop.pastPool[{file.pastPool, kilobytesOf(loader.pool)}] << who;
}

} // namespace

void checkListLimits(FolderContext& context)
{
    QMap<QByteArray, Drops> drops;
    QList<QByteArray> order;
    QSet<QByteArray> badNames;
    for (const LoadedList& loaded : context.lists) {
        for (const ListedFile& file : loaded.list.files) {
            if (!file.copy || !context.wanted(*file.copy))
                continue;
            checkListedName(context, file, loaded, badNames);
            if (file.fate != ListedFile::Fate::PastNameBuffer && file.pastMost == 0
                && (file.pastPool == 0 || loaded.loader->server))
                continue;
            if (!drops.contains(file.request)) {
                drops.insert(file.request, {*file.copy, {}, {}, {}, {}});
                order << file.request;
            }
            noteDrops(loaded, file, drops[file.request]);
        }
    }
    for (const QByteArray& request : order)
        reportDrops(context, drops[request]);
    checkTiers(context);
}

} // namespace gamecheck
