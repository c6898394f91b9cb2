// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/FolderRules.h"

#include "game/InfoLists.h"
#include "game/InfoString.h"
#include "game/Levelshot.h"
#include "game/Limits.h"
#include "game/MapChecksum.h"
#include "game/PakOrder.h"
#include "game/StockBots.h"
#include "gamecheck/ArchiveRules.h"
#include "gamecheck/ArenaFileRules.h"
#include "gamecheck/ShownName.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <QSet>

#include <algorithm>
#include <tuple>

namespace gamecheck {

using game::Engine;
using game::FileCopy;
using game::GameFolder;
using game::InfoList;
using game::ListedFile;
using game::ListedInfo;
using game::ListLoader;
using game::Source;

namespace {

// The id 1.32 release loads at most this many pk3s of one folder.
constexpr qsizetype mostPaksOfId132 = 1024;

QString shown(const QByteArray& name)
{
    return shownName(name);
}

QString number(qulonglong value)
{
    return QLocale(QLocale::English).toString(value);
}

// A loader of the arena list, by the name the findings give it.
struct NamedList {
    const char* name;
    const ListLoader* loader;
    InfoList list;
};

// "a", "a and b", "a, b and c".
QString spokenList(const QStringList& items)
{
    if (items.size() <= 1)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + items.last();
}

// "x reads", "x and y read".
QString reading(const QStringList& names)
{
    return spokenList(names) + (names.size() == 1 ? QStringLiteral(" reads") : QStringLiteral(" read"));
}

bool differ(const GameFolder& folder, FileCopy one, FileCopy other)
{
    const std::optional<std::uint32_t> crcOne = folder.statedCrc(one), crcOther = folder.statedCrc(other);
    if (crcOne && crcOther && folder.statedSize(one) && folder.statedSize(other))
        return *crcOne != *crcOther || *folder.statedSize(one) != *folder.statedSize(other);
    const game::CopyBytes a = folder.read(one, game::arenaFileLimit), b = folder.read(other, game::arenaFileLimit);
    return !a.bytes || !b.bytes || *a.bytes != *b.bytes;
}

// A pk3's name without ".pk3", in lower case, split into what comes before
// a trailing number and the number: "mymap_v10" is "mymap_v" and 10.
struct NameParts {
    QByteArray stem;
    QByteArray base;
    std::optional<qulonglong> trailing;
};

NameParts partsOf(const QByteArray& pakName)
{
    NameParts parts;
    parts.stem = pakName.chopped(4).toLower();
    qsizetype digits = parts.stem.size();
    while (digits > 0 && parts.stem[digits - 1] >= '0' && parts.stem[digits - 1] <= '9')
        --digits;
    parts.base = parts.stem.left(digits);
    if (digits < parts.stem.size() && parts.stem.size() - digits < 10)
        parts.trailing = parts.stem.mid(digits).toULongLong();
    return parts;
}

// Whether one pk3's name makes it a later release of the other's: the
// other's name with something added ("mymap-v2" after "mymap"), or the
// same name with a higher number ("mymap_v10" after "mymap_v2").
bool newerByName(const QByteArray& one, const QByteArray& other)
{
    const NameParts a = partsOf(one), b = partsOf(other);
    if (a.trailing && b.trailing && a.base == b.base)
        return *a.trailing > *b.trailing;
    return a.stem.size() > b.stem.size() && a.stem.startsWith(b.stem);
}

class FolderCheck {
public:
    FolderCheck(const GameFolder& folder, const FolderCheckOptions& options) : folder(folder), options(options) {}

    FolderReport run()
    {
        checkArchives();
        loadLists();
        checkArenaFiles();
        checkDoubledMaps();
        checkHiddenCopies();
        checkListLimits();
        checkMaps();
        checkShadowedPacks();
        if (options.only.isEmpty())
            countArenas();
        std::stable_sort(report.findings.begin(), report.findings.end(), [](const Finding& a, const Finding& b) {
            return std::tie(a.file, a.entry) < std::tie(b.file, b.entry);
        });
        return std::move(report);
    }

private:
    Place placeOf(FileCopy copy) const
    {
        return {folder.fileOf(copy), folder.sourceOf(copy).loose() ? QString() : shown(folder.nameOf(copy))};
    }

    // Whether findings about this file are wanted.
    bool wanted(const QString& file) const { return options.only.isEmpty() || options.only.contains(file); }
    bool wanted(FileCopy copy) const { return wanted(folder.fileOf(copy)); }

    // How a sentence names a file other than the one it is about.
    QString describe(FileCopy copy) const
    {
        const Source& source = folder.sourceOf(copy);
        const QString folderName = source.folder > 0
            ? QFileInfo(folder.folders()[source.folder]).fileName() + QLatin1Char('/')
            : QString();
        if (source.loose())
            return QStringLiteral("the loose file %1%2").arg(folderName, shown(folder.nameOf(copy)));
        return folderName + shownPath(QFileInfo(source.path).fileName());
    }

    // A file as a sentence about `from` names it: by its entry alone when
    // both are in one archive.
    QString describeEntry(FileCopy copy, FileCopy from) const
    {
        if (copy.source == from.source && !folder.sourceOf(copy).loose())
            return shown(folder.nameOf(copy));
        if (folder.sourceOf(copy).loose())
            return describe(copy);
        return describe(copy) + QLatin1Char(':') + shown(folder.nameOf(copy));
    }

    // Why `winner` comes before `loser` in ioquake3's search.
    QString whyFirst(FileCopy winner, FileCopy loser) const
    {
        const Source& won = folder.sourceOf(winner);
        const Source& lost = folder.sourceOf(loser);
        if (winner.source == loser.source)
            return QStringLiteral("which comes later in the same archive");
        if (won.folder < lost.folder)
            return QStringLiteral("in the mod's folder, which the game searches first");
        if (won.loose())
            return QStringLiteral("since ioquake3 reads a folder's loose files before its pk3s");
        return QStringLiteral("which sorts after %1").arg(lost.loose() ? QStringLiteral("it") : shownPath(QFileInfo(lost.path).fileName()));
    }

    void checkArchives()
    {
        for (const game::GameFolder::Skipped& skipped : folder.skipped()) {
            if (!wanted(skipped.path))
                continue;
            Place{skipped.path, {}}.add(report.findings, Severity::Error, {},
                                        QStringLiteral("The game cannot read this file as an archive (%1), so it skips "
                                                       "it without a word.")
                                            .arg(skipped.reason));
        }
        QMap<int, qsizetype> paksPerFolder;
        for (const Source& source : folder.sources()) {
            if (source.loose())
                continue;
            ++paksPerFolder[source.folder];
            if (wanted(source.path))
                checkArchiveEntries(*source.archive, source.path,
                                {game::isStockPakName(source.name), true}, report.findings);
        }
        for (auto count = paksPerFolder.cbegin(); count != paksPerFolder.cend() && options.only.isEmpty(); ++count) {
            const QString path = folder.folders()[count.key()];
            if (folder.pakListCut(count.key())) {
                Place{path, {}}.add(report.findings, Severity::Error, {},
                                    QStringLiteral("The folder holds more than 4,095 pk3 files. The game takes the "
                                                   "first 4,095 its file system lists and ignores the rest."));
            } else if (count.value() > mostPaksOfId132) {
                Place{path, {}}.add(report.findings, Severity::Error, {},
                                    QStringLiteral("The folder holds %1 pk3 files. id's 1.32 release loads only the "
                                                   "first 1,024 its file system lists and ignores the rest; ioquake3 "
                                                   "and Quake3e load them all.")
                                        .arg(number(qulonglong(count.value()))));
            }
        }
    }

    void loadLists()
    {
        const InfoList botList = game::loadBots(folder, game::serverLoader);
        for (const ListedFile& file : botList.files) {
            if (file.fate == ListedFile::Fate::TooLarge && wanted(*file.copy)) {
                placeOf(*file.copy).add(report.findings, Severity::Error, {},
                                        QStringLiteral("The file is %1 bytes. The game skips a bot file of %2 bytes or "
                                                       "more whole, as \"too large\", so none of its bots exist.")
                                            .arg(number(file.size), number(game::botFileLimit)));
            }
        }
        QByteArrayList names;
        for (const ListedInfo& info : botList.infos) {
            if (const std::optional<QByteArray> name = game::infoValue(botList.blockOf(info), "name"))
                names << *name;
        }
        // Without any list of bots in the folder, the game's own one in
        // pak0.pk3 is missing only from the folder checked, not from the game.
        if (botList.files.front().fate == ListedFile::Fate::NotFound) {
            for (const char* name : game::stockBots)
                names << name;
        }
        bots = KnownBots::ofFolder(names);
        lists.push_back({"the server", &game::serverLoader, game::loadArenas(folder, game::serverLoader, botList.poolUsed)});
        lists.push_back({"the 1.32 menus", &game::classicMenuLoader, game::loadArenas(folder, game::classicMenuLoader)});
        lists.push_back({"ioquake3's own menus", &game::ioquake3MenuLoader,
                         game::loadArenas(folder, game::ioquake3MenuLoader)});
        every = game::loadArenas(folder, game::unlimitedLoader);
    }

    // The content of every arena file that some engine reads.
    void checkArenaFiles()
    {
        std::vector<std::pair<QByteArray, FileCopy>> arenaFiles;
        for (const NamedList& named : lists) {
            for (const ListedFile& file : named.list.files) {
                if (file.copy && file.fate != ListedFile::Fate::NotFound && !readBy.contains(*file.copy)) {
                    readBy.insert(*file.copy);
                    arenaFiles.emplace_back(file.request, *file.copy);
                }
            }
        }
        for (const Engine engine : game::allEngines) {
            for (const QByteArray& request : requests()) {
                if (const std::optional<FileCopy> copy = folder.find(request, engine))
                    readBy.insert(*copy);
            }
        }
        for (const auto& [request, copy] : arenaFiles) {
            if (wanted(copy))
                checkArenaFile(request, copy);
        }
        if (const std::optional<FileCopy> bots = folder.find("scripts/bots.txt"); bots && wanted(*bots))
            checkListReplacement(*bots, "scripts/bots.txt",
                                 QStringLiteral("This file replaces the game's own list of bots, so the stock bots vanish."));
    }

    // Every name under which some engine asks for a list of arenas or bots.
    const QByteArrayList& requests()
    {
        if (!requested.isEmpty())
            return requested;
        QByteArrayList& names = requested;
        names = {"scripts/arenas.txt", "scripts/bots.txt"};
        QSet<QByteArray> seen(names.begin(), names.end());
        for (const Engine engine : game::allEngines) {
            for (const char* extension : {".arena", ".bot"}) {
                for (const QByteArray& name : folder.listFiles("scripts", extension, engine)) {
                    const QByteArray request = "scripts/" + name;
                    if (!seen.contains(request)) {
                        seen.insert(request);
                        names << request;
                    }
                }
            }
        }
        return names;
    }

    void checkArenaFile(const QByteArray& request, FileCopy copy)
    {
        const Place place = placeOf(copy);
        const game::CopyBytes read = folder.read(copy, game::arenaFileLimit - 1);
        if (read.size >= game::arenaFileLimit) {
            reportArenaFileTooLarge(read.size, place, report.findings);
            return;
        }
        if (!read.bytes)
            return; // reported with the archive's entries
        const std::vector<ListedMap> listed = gamecheck::checkArenaFile(*read.bytes, bots, place, report.findings);
        const Source& source = folder.sourceOf(copy);
        if (request == "scripts/arenas.txt") {
            checkListReplacement(copy, request,
                                 QStringLiteral("This file replaces the game's own list of arenas, so the stock maps "
                                                "vanish from the menus."));
        } else if (!source.loose() && !game::isStockPakName(source.name)) {
            checkArenaFileName(folder.nameOf(copy), mapsOf(listed), place, report.findings);
        }
        for (const auto& [map, arena] : listed) {
            if (!folder.find("maps/" + map + ".bsp")) {
                place.inArena(arena).add(report.findings, Severity::Error, "map",
                                         QStringLiteral("No pk3 and no loose file of the folder holds maps/%1.bsp. The "
                                                        "menus list the map, but it cannot start.")
                                             .arg(shown(map)));
            }
            checkLevelshot(map, copy, place.inArena(arena));
        }
    }

    // A list of arenas or bots of the folder's own, where it is not one of
    // the game's archives: it stands in for the game's list, and hides it.
    void checkListReplacement(FileCopy copy, const QByteArray& name, const QString& sentence)
    {
        const Source& source = folder.sourceOf(copy);
        if (!source.loose() && game::isStockPakName(source.name))
            return;
        QString hidden;
        for (const FileCopy& other : folder.copiesOf(name)) {
            if (!(other == copy) && !readBy.contains(other)) {
                hidden = QStringLiteral(" The game reads it instead of the one in %1.").arg(describe(other));
                break;
            }
        }
        placeOf(copy).add(report.findings, Severity::Error, {}, sentence + hidden);
    }

    void checkLevelshot(const QByteArray& map, FileCopy arena, const Place& place)
    {
        for (const QByteArray& name : game::levelshotNames(map)) {
            const std::optional<FileCopy> picture = folder.find(name);
            if (!picture)
                continue;
            const std::optional<QByteArray> header = folder.readStart(*picture, game::levelshotHeaderSize(name));
            const QString problem = header ? game::levelshotProblem(name, *header) : QStringLiteral("unreadable");
            if (!problem.isEmpty()) {
                place.add(report.findings, Severity::Error, "map",
                          QStringLiteral("The levelshot %1 is %2. The game cannot load it, and throws the player out "
                                         "of the menu.")
                              .arg(describeEntry(*picture, arena), problem));
            }
            return;
        }
        place.add(report.findings, Severity::Advice, "map",
                  QStringLiteral("The folder holds no levelshots/%1.tga, .jpg, .jpeg or .png. The menu shows the grey "
                                 "\"unknown map\" picture for this map.")
                      .arg(shown(map)));
    }

    // Two arenas for one map, wherever they are: the menus list both.
    void checkDoubledMaps()
    {
        QHash<QByteArray, FileCopy> firstArenaOf;
        for (const ListedInfo& info : every.infos) {
            const ListedFile& file = every.files[info.file];
            const std::optional<QByteArray> map = game::infoValue(every.blockOf(info), "map");
            if (!map || !file.copy)
                continue;
            const QByteArray key = map->toLower();
            if (const auto first = firstArenaOf.constFind(key); first != firstArenaOf.cend()) {
                if (!wanted(*file.copy))
                    continue;
                placeOf(*file.copy).add(report.findings, Severity::Error, "map",
                                        QStringLiteral("The map %1 is listed by another arena too, in %2. The menus list "
                                                       "the map twice.")
                                            .arg(shown(*map), describeEntry(*first, *file.copy)));
            } else {
                firstArenaOf.insert(key, *file.copy);
            }
        }
    }

    // Copies of an arena or bot file that the game never reads, or reads
    // in some engines only.
    void checkHiddenCopies()
    {
        static const std::array<const char*, 3> engineNames{"ioquake3", "id's 1.32 release", "Quake3e"};
        QSet<FileCopy> reported;
        for (const QByteArray& request : requests()) {
            std::array<std::optional<FileCopy>, 3> winners;
            for (const Engine engine : game::allEngines)
                winners[int(engine)] = folder.find(request, engine);
            const std::optional<FileCopy> ioquake3 = winners[int(Engine::Ioquake3)];
            if (!ioquake3)
                continue;
            for (const FileCopy& copy : folder.copiesOf(request)) {
                if (reported.contains(copy) || !wanted(copy))
                    continue;
                QStringList readers, others;
                std::optional<FileCopy> other;
                for (const Engine engine : game::allEngines) {
                    if (winners[int(engine)] == copy) {
                        readers << QString::fromLatin1(engineNames[int(engine)]);
                    } else if (winners[int(engine)] && differ(folder, copy, *winners[int(engine)])) {
                        others << QString::fromLatin1(engineNames[int(engine)]);
                        other = other ? other : winners[int(engine)];
                    }
                }
                if (!other)
                    continue;
                reported.insert(copy);
                if (!readers.isEmpty()) {
                    placeOf(copy).add(report.findings, Severity::Error, {},
                                      QStringLiteral("%1 this copy, but %2 %3 instead, as ioquake3 searches a "
                                                     "folder's loose files before its pk3s and the others after them. "
                                                     "The two differ, so the game is not the same on every engine.")
                                          .arg(reading(readers), reading(others), describeEntry(*other, copy)));
                } else {
                    placeOf(copy).add(report.findings, Severity::Error, {},
                                      QStringLiteral("The game reads %1 from %2 instead, %3, so this copy, which "
                                                     "differs, is never read.")
                                          .arg(shown(request), describe(*ioquake3), whyFirst(*ioquake3, copy)));
                }
            }
        }
    }

    // What each loader drops for its limits: names past its list of file
    // names, arenas past 1,024 in all or past its memory.
    void checkListLimits()
    {
        struct Drops {
            FileCopy copy;
            QStringList pastNames;
            QStringList pastNamesBytes;
            QMap<int, QStringList> pastMost;
            QMap<int, QStringList> pastPool;
        };
        QMap<QByteArray, Drops> drops;
        QList<QByteArray> order;
        bool serverFailed = false;
        for (const NamedList& named : lists) {
            for (const ListedFile& file : named.list.files) {
                if (!file.copy || !wanted(*file.copy))
                    continue;
                const QString who = QString::fromLatin1(named.name);
                checkListedName(file, named);
                const bool past = file.fate == ListedFile::Fate::PastNameBuffer;
                if (!past && file.pastMost == 0 && file.pastPool == 0)
                    continue;
                if (!drops.contains(file.request)) {
                    drops.insert(file.request, {*file.copy, {}, {}, {}, {}});
                    order << file.request;
                }
                Drops& drop = drops[file.request];
                if (past) {
                    drop.pastNames << who;
                    drop.pastNamesBytes << number(qulonglong(named.loader->nameBuffer));
                }
                if (file.pastMost > 0)
                    drop.pastMost[file.pastMost] << who;
                if (file.pastPool > 0 && named.loader == &game::serverLoader && !serverFailed) {
                    serverFailed = true;
                    placeOf(*file.copy).add(report.findings, Severity::Error, {},
                                            QStringLiteral("The server's 256 KB for the infos of bots and arenas runs "
                                                           "out at this file. Its game module stops with \"G_Alloc: "
                                                           "failed\", and no map starts."));
                } else if (file.pastPool > 0 && named.loader != &game::serverLoader) {
                    drop.pastPool[file.pastPool] << who;
                }
            }
        }
        for (const QByteArray& request : order) {
            const Drops& drop = drops[request];
            const Place place = placeOf(drop.copy);
            if (!drop.pastNames.isEmpty()) {
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
                for (const NamedList& named : lists) {
                    if (!drop.pastNames.contains(QString::fromLatin1(named.name)))
                        readers << QString::fromLatin1(named.name);
                }
                const QString who = readers.isEmpty()
                    ? QStringLiteral("neither the server nor any menu ever reads its arenas.")
                    : QStringLiteral("%1 never read its arenas; only %2 do.").arg(spokenList(drop.pastNames), spokenList(readers));
                place.add(report.findings, Severity::Error, {},
                          QStringLiteral("Its name comes after the names that fill the game's list of arena file names "
                                         "(%1), so %2")
                              .arg(limits.join(QStringLiteral("; ")), who));
            }
            for (auto most = drop.pastMost.cbegin(); most != drop.pastMost.cend(); ++most) {
                place.add(report.findings, Severity::Error, {},
                          QStringLiteral("%1 of its arenas come after the first 1,024 that %2 take in all, so they never "
                                         "show.")
                              .arg(most.key())
                              .arg(spokenList(most.value())));
            }
            for (auto pool = drop.pastPool.cbegin(); pool != drop.pastPool.cend(); ++pool) {
                place.add(report.findings, Severity::Error, {},
                          QStringLiteral("%1 of its arenas find the 128 KB that %2 keep for arenas full, so they never "
                                         "show there.")
                              .arg(pool.key())
                              .arg(spokenList(pool.value())));
            }
        }
        checkTiers();
    }

    // A name the game lists but cannot take: once for all loaders.
    void checkListedName(const ListedFile& file, const NamedList& named)
    {
        if (!file.copy || file.fate == ListedFile::Fate::PastNameBuffer || badNames.contains(file.request))
            return;
        // The game module copies "scripts/" and the name into 128 bytes unchecked.
        const bool overflows = file.request.size() >= 128;
        if (file.fate != ListedFile::Fate::NotFound && !overflows)
            return;
        badNames.insert(file.request);
        const Place place = placeOf(*file.copy);
        if (overflows) {
            place.add(report.findings, Severity::Error, {},
                      QStringLiteral("The name %1 is %2 characters long. The game copies it into 128 bytes with "
                                     "\"scripts/\" before it, without a check, and %3 crash.")
                          .arg(shown(file.request.mid(8)))
                          .arg(file.request.size() - 8)
                          .arg(named.loader == &game::serverLoader ? QStringLiteral("the server and the menus")
                                                                     : QStringLiteral("the menus")));
        } else {
            place.add(report.findings, Severity::Error, {},
                      QStringLiteral("The game lists this file as %1, but refuses to open a name with \"..\" or "
                                     "\"::\", so none of its arenas show.")
                          .arg(shown(file.request)));
        }
    }

    // The menus find each arena by a number, single-player arenas first in
    // tiers of four; the ones over a multiple of four share numbers with
    // others, and only the first of two arenas with one number shows.
    void checkTiers()
    {
        QMap<std::pair<FileCopy, std::size_t>, QStringList> unshown;
        QList<std::pair<FileCopy, std::size_t>> order;
        QMap<std::pair<FileCopy, std::size_t>, int> singlePlayerCount;
        for (const NamedList& named : lists) {
            if (!named.loader->numbersArenas)
                continue;
            int singlePlayer = 0;
            for (const ListedInfo& info : named.list.infos) {
                const std::optional<QByteArray> type = game::infoValue(named.list.blockOf(info), "type");
                const std::optional<QByteArray> special = game::infoValue(named.list.blockOf(info), "special");
                if (type && type->contains("single") && (!special || special->isEmpty()))
                    ++singlePlayer;
            }
            if (singlePlayer % 4 == 0)
                continue;
            for (const ListedInfo& info : named.list.infos) {
                const ListedFile& file = named.list.files[info.file];
                if (info.numbered || !file.copy || !wanted(*file.copy))
                    continue;
                const auto key = std::pair{*file.copy, info.block};
                if (!unshown.contains(key))
                    order << key;
                unshown[key] << QString::fromLatin1(named.name);
                singlePlayerCount[key] = singlePlayer;
            }
        }
        for (const auto& key : order) {
            const std::optional<QByteArray> map = blockMap(key.first, key.second);
            const int count = singlePlayerCount[key];
            placeOf(key.first)
                .inArena(int(key.second))
                .add(report.findings, Severity::Error, "map",
                     QStringLiteral("The folder holds %1 single-player arenas, not a multiple of 4: the %2 over take "
                                    "the numbers of other arenas, so %3 never show the arena of the map %4.")
                         .arg(count)
                         .arg(count % 4)
                         .arg(spokenList(unshown[key]), shown(map.value_or("<none>"))));
        }
    }

    std::optional<QByteArray> blockMap(FileCopy copy, std::size_t block) const
    {
        for (const ListedInfo& info : every.infos) {
            const ListedFile& file = every.files[info.file];
            if (file.copy == copy && info.block == block)
                return game::infoValue(every.blockOf(info), "map");
        }
        return std::nullopt;
    }

    // Each map's arena and bot navigation file.
    void checkMaps()
    {
        QHash<QByteArray, std::vector<const ListedInfo*>> arenasOf;
        for (const ListedInfo& info : every.infos) {
            if (const std::optional<QByteArray> map = game::infoValue(every.blockOf(info), "map"))
                arenasOf[map->toLower()].push_back(&info);
        }
        for (auto named = folder.index().cbegin(); named != folder.index().cend(); ++named) {
            const QByteArray& key = named.key();
            if (!key.startsWith("maps/") || !key.endsWith(".bsp") || key.count('/') != 1)
                continue;
            const QByteArray name = folder.nameOf(named.value().front());
            const std::optional<FileCopy> bsp = folder.find(name);
            if (!bsp)
                continue; // a loose file in another case than asked for
            const QByteArray map = name.mid(5).chopped(4);
            const std::vector<const ListedInfo*>& arenas = arenasOf.value(map.toLower());
            if (!mapConcernsWanted(*bsp, map, arenas))
                continue;
            if (arenas.empty() && wanted(*bsp)) {
                placeOf(*bsp).add(report.findings, Severity::Error, {},
                                  QStringLiteral("No arena file of the folder lists the map %1, so it is missing from "
                                                 "every menu and starts only from the console.")
                                      .arg(shown(map)));
            }
            checkNavigation(map, *bsp, arenas);
        }
    }

    bool mapConcernsWanted(FileCopy bsp, const QByteArray& map, const std::vector<const ListedInfo*>& arenas) const
    {
        if (options.only.isEmpty() || wanted(bsp))
            return true;
        if (const std::optional<FileCopy> aas = folder.find("maps/" + map + ".aas"); aas && wanted(*aas))
            return true;
        return std::any_of(arenas.begin(), arenas.end(), [&](const ListedInfo* info) {
            const std::optional<FileCopy>& copy = every.files[info->file].copy;
            return copy && wanted(*copy);
        });
    }

    void checkNavigation(const QByteArray& map, FileCopy bsp, const std::vector<const ListedInfo*>& arenas)
    {
        const std::optional<FileCopy> aas = folder.find("maps/" + map + ".aas");
        if (!aas) {
            for (const ListedInfo* info : arenas) {
                const std::optional<QByteArray> list = game::infoValue(every.blockOf(*info), "bots");
                const ListedFile& file = every.files[info->file];
                if (list && !list->trimmed().isEmpty() && *list != "<NULL>" && file.copy) {
                    if (!wanted(*file.copy))
                        return;
                    placeOf(*file.copy)
                        .inArena(int(info->block))
                        .add(report.findings, Severity::Error, "bots",
                             QStringLiteral("The folder holds no maps/%1.aas, so the bots this arena lists never "
                                            "join: bots find their way by that file.")
                                 .arg(shown(map)));
                    return;
                }
            }
            if (wanted(bsp))
                placeOf(bsp).add(report.findings, Severity::Advice, {},
                             QStringLiteral("The folder holds no maps/%1.aas. Bots find their way by that file, so none "
                                            "can play this map.")
                                 .arg(shown(map)));
            return;
        }
        if (!wanted(*aas))
            return;
        const Place place = placeOf(*aas);
        const std::optional<QByteArray> start = folder.readStart(*aas, game::aasHeaderSize);
        const game::AasHeader header = game::readAasHeader(start.value_or(QByteArray()));
        const QString refused = QStringLiteral("The game refuses it, so bots cannot play this map.");
        switch (header.problem) {
        case game::AasHeader::Problem::NotAas:
        case game::AasHeader::Problem::CutShort:
            place.add(report.findings, Severity::Error, {},
                      QStringLiteral("maps/%1.aas is not a bot navigation file the game can read. %2")
                          .arg(shown(map), refused));
            return;
        case game::AasHeader::Problem::WrongVersion:
            place.add(report.findings, Severity::Error, {},
                      QStringLiteral("maps/%1.aas is of version %2, where the game reads 4 and 5 only. %3")
                          .arg(shown(map))
                          .arg(header.version)
                          .arg(refused));
            return;
        case game::AasHeader::Problem::None:
            break;
        }
        const std::optional<std::uint32_t> checksum = mapChecksum(bsp);
        if (checksum && *checksum != header.mapChecksum) {
            place.add(report.findings, Severity::Error, {},
                      QStringLiteral("maps/%1.aas was built for another version of maps/%1.bsp, the one in %2. The "
                                     "game refuses it as out of date, so bots cannot play this map.")
                          .arg(shown(map), describe(bsp)));
        }
    }

    // The checksum the game takes of a map, remembered while its file is unchanged.
    std::optional<std::uint32_t> mapChecksum(FileCopy bsp) const
    {
        const std::optional<platform::FileIdentity> identity = folder.identityOf(bsp);
        const std::optional<QByteArray> part = folder.partOf(bsp);
        const bool rememberable = options.checksums && identity && part;
        if (rememberable) {
            if (const std::optional<std::uint32_t> known = options.checksums->find(*identity, *part))
                return known;
        }
        game::MapChecksum checksum;
        if (!folder.stream(bsp, [&](const char* bytes, std::size_t count) { checksum.add(bytes, count); }))
            return std::nullopt;
        if (rememberable)
            options.checksums->remember(*identity, *part, checksum.value());
        return checksum.value();
    }

    // Two pk3s with the same map: wherever both hold a file of the same
    // name, the one that sorts later wins, which a re-release must do.
    void checkShadowedPacks()
    {
        struct Pair {
            int shared = 0;
            bool differs = false;
            std::optional<FileCopy> map; // the losing pk3's copy of a map both hold
        };
        QMap<std::pair<std::uint32_t, std::uint32_t>, Pair> pairs;
        for (auto named = folder.index().cbegin(); named != folder.index().cend(); ++named) {
            std::optional<FileCopy> winner;
            for (const FileCopy& copy : named.value()) {
                if (folder.sourceOf(copy).loose())
                    continue;
                if (!winner) {
                    winner = copy;
                    continue;
                }
                if (copy.source == winner->source)
                    continue;
                Pair& pair = pairs[{copy.source, winner->source}];
                ++pair.shared;
                const bool different = differ(folder, copy, *winner);
                pair.differs = pair.differs || different;
                const QByteArray& key = named.key();
                if (different && key.startsWith("maps/") && key.endsWith(".bsp") && key.count('/') == 1)
                    pair.map = copy;
            }
        }
        for (auto pair = pairs.cbegin(); pair != pairs.cend(); ++pair) {
            if (!pair->map || !wanted(*pair->map))
                continue;
            const Source& loser = folder.sources()[pair.key().first];
            const Source& winner = folder.sources()[pair.key().second];
            const bool isNew = !options.newFile.isEmpty()
                && QFileInfo(loser.path).absoluteFilePath() == QFileInfo(options.newFile).absoluteFilePath();
            const bool release = newerByName(loser.name, winner.name);
            QString sentence = QStringLiteral("%1, which sorts after this archive, also holds %2: wherever the two hold "
                                              "a file of the same name (%3 in all), the game uses %1's.")
                                   .arg(shownPath(QFileInfo(winner.path).fileName()), shown(folder.nameOf(*pair->map)))
                                   .arg(pair->shared);
            if (release) {
                sentence += QStringLiteral(" By the names this archive is the newer release, but it sorts first: '-' "
                                           "and '.' sort before digits, letters and '_'.");
            }
            placeOf(*pair->map).add(report.findings, release && !isNew ? Severity::Error : Severity::Advice, {}, sentence);
        }
    }

    void countArenas()
    {
        for (auto named = folder.index().cbegin(); named != folder.index().cend(); ++named) {
            const QByteArray& key = named.key();
            if (key != "scripts/arenas.txt" && !(key.startsWith("scripts/") && key.endsWith(".arena")))
                continue;
            for (const FileCopy& copy : named.value()) {
                const game::CopyBytes read = folder.read(copy, game::arenaFileLimit - 1);
                if (read.bytes)
                    report.summary.arenasHeld += int(game::readInfoFile(*read.bytes).blocks.size());
            }
        }
        report.summary.server = int(lists[0].list.infos.size());
        report.summary.classicMenus = lists[1].list.shown();
        report.summary.ioquake3Menus = lists[2].list.shown();
    }

    const GameFolder& folder;
    const FolderCheckOptions& options;
    FolderReport report;
    KnownBots bots;
    std::vector<NamedList> lists;
    InfoList every;
    QSet<FileCopy> readBy; // copies of arena and bot files that some engine reads
    QByteArrayList requested;
    QSet<QByteArray> badNames; // names reported as the game cannot take them
};

} // namespace

FolderReport checkGameFolder(const game::GameFolder& folder, const FolderCheckOptions& options)
{
    return FolderCheck(folder, options).run();
}

} // namespace gamecheck
