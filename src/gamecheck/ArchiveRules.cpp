// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/ArchiveRules.h"

#include "game/EntryNames.h"
#include "game/Levelshot.h"
#include "game/Limits.h"
#include "gamecheck/ArenaFileRules.h"
#include "gamecheck/Navigation.h"

#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <algorithm>

namespace gamecheck {

using game::ArchiveView;
using game::ArchiveEntry;
using game::Refusal;
using game::ZipDirectory;
using game::entryKey;
using game::levelshotNames;
using game::levelshotHeaderSize;
using game::levelshotFault;
using game::namesTheSameEntry;
using game::arenaFileLimit;
using game::botFileLimit;

namespace {

QString shown(const QByteArray& name)
{
    return shownName(name);
}

// A number as sentences show it, in groups of three digits.
QString grouped(std::uint64_t count)
{
    return QLocale(QLocale::English).toString(qulonglong(count));
}

// The method number under which a zip writer records AES encryption.
constexpr std::uint16_t aesMethod = 99;

QString methodName(std::uint16_t method)
{
    switch (method) {
    case 9: return QStringLiteral("Deflate64");
    case 12: return QStringLiteral("bzip2");
    case 14: return QStringLiteral("LZMA");
    case 93: return QStringLiteral("Zstandard");
    case 95: return QStringLiteral("XZ");
    default: return QStringLiteral("method %1").arg(method);
    }
}

void checkArchiveName(const QString& archivePath, ArchiveScope scope, const Place& place, Findings& findings)
{
    const QString name = QFileInfo(archivePath).fileName();
    if (name.contains(' ')) {
        place.add(findings, Severity::Error, {},
                  QStringLiteral("The archive's name \"%1\" holds a space. It breaks the pure server's list of pak "
                                 "names, so players cannot join a pure server that runs it.")
                      .arg(name));
    }
    const bool namedAsTheGamesOwn = std::any_of(scope.game->shippedPaks.begin(), scope.game->shippedPaks.end(),
                                                [&](const game::ShippedPak& pak) {
                                                    return name.compare(QLatin1String(pak.name), Qt::CaseInsensitive) == 0;
                                                });
    if (namedAsTheGamesOwn && !scope.gamesOwn) {
        place.add(findings, Severity::Error, {},
                  QStringLiteral("The archive is named %1, one of the game's own names. The game never downloads it "
                                 "to players, who would have to have it already.")
                      .arg(name));
    }
}

// Why the game leaves the whole archive out, in a sentence.
QString refusalSentence(const ZipDirectory& directory)
{
    // The game knows no Zip64 records: what it then finds wrong with the
    // 32-bit fields is their doing.
    const QString zip64 = directory.zip64Records ? QStringLiteral("The archive uses Zip64 records, which the game does "
                                                                  "not read, and its end record ")
                                                 : QStringLiteral("The archive's end record ");
    QString why;
    switch (directory.refusal) {
    case Refusal::None:
        return {};
    case Refusal::NoEndRecord:
        return QStringLiteral("The game finds no end record in the archive's last 65,535 bytes, or only one at its "
                              "very start, as in an empty archive. The game skips the whole archive.");
    case Refusal::SeveralDisks:
        why = QStringLiteral("speaks of several disks");
        break;
    case Refusal::CountsDiffer:
        why = QStringLiteral("gives two different counts of entries");
        break;
    case Refusal::DirectoryPastEnd:
        why = QStringLiteral("places the directory past itself");
        break;
    }
    return zip64 + why + QStringLiteral(". The game skips the whole archive.");
}

// A directory that ends before the end record's count leaves the game
// entries without names, and the server's first look through its files
// (for bot files, at every map start) reads through a null name.
QString crashSentence(const ZipDirectory& directory)
{
    const QString found = QStringLiteral("finds only %1 of the %2 entries its end record counts")
                              .arg(grouped(directory.records.size()), grouped(directory.entryCount));
    const QString start = directory.zip64Records && directory.bytesBefore > 0
        ? QStringLiteral("The archive uses Zip64 records, which the game does not read: it takes their %1 bytes for "
                         "bytes in front of the archive, reads the directory that much further on, and %2.")
              .arg(directory.bytesBefore)
              .arg(found)
        : QStringLiteral("The game reads the archive's directory and %1.").arg(found);
    return start + QStringLiteral(" It keeps the others as files without names, and a server that loads this pk3 "
                                  "crashes when it looks through its files.");
}

// Whether the game can read the archive's directory at all, and whether
// every other reader sees what the game sees.
void checkDirectory(const ArchiveView& archive, const Place& whole, Findings& findings)
{
    const ZipDirectory& directory = archive.directory();
    if (directory.refusal != Refusal::None) {
        whole.add(findings, Severity::Error, {}, refusalSentence(directory));
        return;
    }
    if (directory.records.size() < directory.entryCount) {
        whole.add(findings, Severity::Error, {}, crashSentence(directory));
        return;
    }
    if (!archive.libraryDifference().isEmpty()) {
        whole.add(findings, Severity::Error, {},
                  QStringLiteral("The game and the zip library read this archive differently: %1. Other tools then "
                                 "show other files than the game loads.")
                      .arg(archive.libraryDifference()));
    }
    if (!archive.libraryRefusal().isEmpty()) {
        whole.add(findings, Severity::Advice, {},
                  QStringLiteral("The game reads this archive, but the zip library cannot (%1). Other tools may not "
                                 "open it either.")
                      .arg(archive.libraryRefusal()));
    }
}

// What makes the game skip the archive or read garbage, and what in it
// replaces the game's own files.
void checkEntries(const ArchiveView& archive, const QString& file, ArchiveScope scope, Findings& findings)
{
    checkDirectory(archive, {file, {}}, findings);
    const std::vector<game::DirectoryRecord>& records = archive.directory().records;
    const QString skipped = QStringLiteral("so it reads nothing of it and takes garbage for the file");
    for (const ArchiveEntry& entry : archive.entries()) {
        // Most entries have nothing to report: their names are shown only when they do.
        const auto place = [&] { return Place{file, shown(entry.name)}; };
        if (entry.record && records[*entry.record].nameLength >= game::entryNameSize) {
            place().add(findings, Severity::Error, {},
                      QStringLiteral("The entry's name is %1 bytes long. The game keeps names of up to %2 bytes; a "
                                     "longer one overruns its buffer, garbles the names after it and can crash the "
                                     "server.")
                          .arg(records[*entry.record].nameLength)
                          .arg(game::entryNameSize - 1));
        }
        if (entry.method == aesMethod) {
            place().add(findings, Severity::Error, {},
                        QStringLiteral("The entry is encrypted with AES. The game reads only stored or deflated "
                                       "entries, %1.")
                            .arg(skipped));
        } else if (entry.method != 0 && entry.method != 8) {
            place().add(findings, Severity::Error, {},
                      QStringLiteral("The entry is compressed with %1. The game reads only stored or deflated entries, %2.")
                          .arg(methodName(entry.method), skipped));
        } else if (!entry.localHeaderAgrees) {
            place().add(findings, Severity::Error, {},
                      QStringLiteral("The entry's local header disagrees with the archive's directory. The game reads "
                                     "the local header, %1.")
                          .arg(skipped));
        } else if (entry.encrypted) {
            place().add(findings, Severity::Error, {},
                        QStringLiteral("The entry is encrypted. The game never decrypts, so it reads the encrypted "
                                       "bytes as they are, which are garbage to it."));
        }
        // The game's own archives hold its lists and code; over a folder,
        // the lists are judged by which copy the game reads.
        if (scope.gamesOwn)
            continue;
        if (entry.key == "scripts/arenas.txt" && !scope.inFolder) {
            place().add(findings, Severity::Error, {},
                      QStringLiteral("This file replaces the game's own list of arenas, so the stock maps vanish from "
                                     "the menus."));
        }
        if (entry.key == "scripts/bots.txt" && !scope.inFolder) {
            place().add(findings, Severity::Error, {},
                      QStringLiteral("This file replaces the game's own list of bots, so the stock bots vanish."));
        }
        if (isFileIn(entry.key, "vm", "qvm")) {
            place().add(findings, Severity::Error, {},
                      QStringLiteral("This file replaces the game's code for everyone who loads this pk3."));
        }
    }
}

// The bots the archive's bot files define, as the game loads them: it
// skips a file of botFileLimit bytes or more, whole.
KnownBots botsIn(const ArchiveView& archive, const QString& file, const game::Game& game, Findings& findings)
{
    KnownBots bots(game);
    for (const ArchiveEntry& entry : archive.entries()) {
        if (!isFileIn(entry.key, "scripts", "bot") && entry.key != "scripts/bots.txt")
            continue;
        if (entry.size >= botFileLimit) {
            Place{file, shown(entry.name)}.add(
                findings, Severity::Error, {},
                QStringLiteral("The file is %1 bytes. The game skips a bot file of %2 bytes or more whole, as \"too "
                               "large\", so none of its bots exist.")
                    .arg(grouped(entry.size), grouped(botFileLimit)));
            continue;
        }
        if (const std::optional<QByteArray> text = archive.read(entry, botFileLimit - 1))
            bots.addBotFile(*text);
    }
    return bots;
}

void checkLevelshot(const ArchiveView& archive, const QByteArray& map, const Place& place, Findings& findings)
{
    for (const QByteArray& name : levelshotNames(map)) {
        const ArchiveEntry* picture = archive.find(name);
        if (!picture)
            continue;
        const std::optional<QByteArray> header = archive.readStart(*picture, levelshotHeaderSize(name));
        const game::LevelshotFault fault = header ? levelshotFault(name, *header)
                                                  : game::LevelshotFault{QStringLiteral("unreadable")};
        if (!fault.problem.isEmpty())
            place.add(findings, Severity::Error, "map", levelshotSentence(shown(picture->name), fault));
        return;
    }
    place.add(findings, Severity::Advice, "map",
              QStringLiteral("The archive holds no levelshots/%1.tga, .jpg, .jpeg or .png. The menu shows the grey "
                             "\"unknown map\" picture for this map.")
                  .arg(shown(map)));
}

} // namespace

QString levelshotSentence(const QString& picture, const game::LevelshotFault& fault)
{
    const QString throwsOut = QStringLiteral("cannot load it, and throws the player out of the menu");
    if (fault.onlyId132) {
        return QStringLiteral("The levelshot %1 is %2. ioquake3 and Quake3e convert it, but id's 1.32 release %3.")
            .arg(picture, fault.problem, throwsOut);
    }
    return QStringLiteral("The levelshot %1 is %2. The game %3.").arg(picture, fault.problem, throwsOut);
}

void checkArenaFileName(const QByteArray& entryName, const QByteArrayList& maps, const Place& place, Findings& findings)
{
    const QByteArray key = entryKey(entryName);
    const QByteArray name = entryName.mid(key.indexOf('/') + 1).chopped(int(sizeof ".arena" - 1));
    for (const QByteArray& map : maps) {
        if (namesTheSameEntry(name, map))
            return;
    }
    if (maps.isEmpty())
        return;
    place.add(findings, Severity::Advice, {},
              QStringLiteral("The arena file is not named after its map. The old menus fit all arena file names into "
                             "1,024 bytes and drop what does not fit, and a same-named arena in another pk3 hides one "
                             "of the two: scripts/%1.arena is safer.")
                  .arg(shown(maps.first())));
}

void checkArchiveEntries(const ArchiveView& archive, const QString& archivePath, ArchiveScope scope, Findings& findings)
{
    checkArchiveName(archivePath, scope, {archivePath, {}}, findings);
    checkEntries(archive, archivePath, scope, findings);
}

bool isFileIn(const QByteArray& key, const char* folder, const char* extension)
{
    return key.startsWith(QByteArray(folder) + '/') && key.endsWith(QByteArray(".") + extension) && key.count('/') == 1;
}

void checkArchive(const ArchiveView& archive, const QString& archivePath, const game::Game& game, Findings& findings)
{
    checkArchiveEntries(archive, archivePath, {false, false, &game}, findings);
    const KnownBots bots = botsIn(archive, archivePath, game, findings);
    QHash<QByteArray, QByteArray> firstArenaOfMap;
    // The game reads its list of arenas first, then every arena file.
    std::vector<const ArchiveEntry*> arenaFiles;
    if (const ArchiveEntry* list = archive.find("scripts/arenas.txt"))
        arenaFiles.push_back(list);
    for (const ArchiveEntry& entry : archive.entries()) {
        if (isFileIn(entry.key, "scripts", "arena"))
            arenaFiles.push_back(&entry);
    }
    for (const ArchiveEntry* arenaFile : arenaFiles) {
        const ArchiveEntry& entry = *arenaFile;
        const bool list = entry.key == "scripts/arenas.txt";
        const Place place{archivePath, shown(entry.name)};
        if (entry.size >= arenaFileLimit) {
            reportArenaFileTooLarge(entry.size, place, findings);
            continue;
        }
        // What the game cannot open or decrypt is reported with the archive's entries.
        const std::optional<QByteArray> text = entry.encrypted ? std::nullopt : archive.read(entry, arenaFileLimit - 1);
        if (!text)
            continue;
        if (std::uint64_t(text->size()) < entry.size) {
            place.add(findings, Severity::Error, {},
                      QStringLiteral("The entry's data ends or is damaged after %1 of its %2 bytes. The game reads "
                                     "only those, and garbage for the rest.")
                          .arg(grouped(std::uint64_t(text->size())), grouped(entry.size)));
        }
        const std::vector<ListedMap> listed = checkArenaFile(*text, bots, place, findings);
        for (const auto& [map, arena] : listed) {
            const Place ofArena = place.inArena(arena);
            if (!archive.find("maps/" + map + ".bsp")) {
                ofArena.add(findings, Severity::Error, "map",
                            QStringLiteral("The archive holds no maps/%1.bsp. The arena lists a map that cannot start.")
                                .arg(shown(map)));
            }
            checkLevelshot(archive, map, ofArena, findings);
            const QByteArray sameMap = map.toLower();
            if (const auto first = firstArenaOfMap.constFind(sameMap); first != firstArenaOfMap.cend()) {
                ofArena.add(findings, Severity::Error, "map",
                            QStringLiteral("The map %1 is listed by another arena too, in %2. The menus list the map "
                                           "twice.")
                                .arg(shown(map), shown(*first)));
            } else {
                firstArenaOfMap.insert(sameMap, entry.name);
            }
        }
        if (!list)
            checkArenaFileName(entry.name, mapsOf(listed), place, findings);
        checkNavigationOfArenas(archive, *text, place, findings);
    }
}

} // namespace gamecheck
