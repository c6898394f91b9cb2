// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/ArchiveRules.h"

#include "game/EntryNames.h"
#include "game/Levelshot.h"
#include "game/Limits.h"
#include "gamecheck/ArenaFileRules.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace gamecheck {

using game::ArchiveView;
using game::ArchiveEntry;
using game::levelshotNames;
using game::levelshotHeaderSize;
using game::levelshotProblem;
using game::namesTheSameEntry;
using game::arenaFileLimit;

namespace {

// Bot files are read whole, up to this size, for the names they define.
constexpr std::uint64_t botFileLimit = 1024 * 1024;

QString shown(const QByteArray& name)
{
    return QString::fromUtf8(name);
}

// An entry the game lists as a file of the folder `folder` with the
// extension `extension`: directly in that folder, in any case.
bool isFileIn(const QByteArray& name, const char* folder, const char* extension)
{
    const QByteArray lower = name.toLower();
    return lower.startsWith(QByteArray(folder) + '/') && lower.endsWith(QByteArray(".") + extension)
        && lower.count('/') == 1;
}

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

// Entries compressed or encrypted in a way the game cannot read.
bool gameCannotRead(const ArchiveEntry& entry)
{
    return entry.encrypted || (entry.method != 0 && entry.method != 8);
}

void checkArchiveName(const QString& archivePath, const Place& place, Findings& findings)
{
    const QString name = QFileInfo(archivePath).fileName();
    if (name.contains(' ')) {
        place.add(findings, Severity::Error, {},
                  QStringLiteral("The archive's name \"%1\" holds a space. It breaks the pure server's list of pak "
                                 "names, so players cannot join a pure server that runs it.")
                      .arg(name));
    }
    static const QRegularExpression gamesOwn(QStringLiteral("^pak[0-8]\\.pk3$"), QRegularExpression::CaseInsensitiveOption);
    if (gamesOwn.match(name).hasMatch()) {
        place.add(findings, Severity::Error, {},
                  QStringLiteral("The archive is named %1, one of the game's own names. The game never downloads it "
                                 "to players, who would have to have it already.")
                      .arg(name));
    }
}

// What makes the game skip the archive or read garbage, and what in it
// replaces the game's own files.
void checkEntries(const ArchiveView& archive, const QString& file, Findings& findings)
{
    const Place whole{file, {}};
    if (archive.format().zip64) {
        whole.add(findings, Severity::Error, {},
                  QStringLiteral("The archive uses Zip64 records. The game cannot read them and skips the whole "
                                 "archive."));
    }
    const QString skipped = QStringLiteral("so it skips this archive or reads garbage from it");
    for (const ArchiveEntry& entry : archive.entries()) {
        const Place place{file, shown(entry.name)};
        if (entry.method != 0 && entry.method != 8) {
            place.add(findings, Severity::Error, {},
                      QStringLiteral("The entry is compressed with %1. The game reads only stored or deflated entries, %2.")
                          .arg(methodName(entry.method), skipped));
        }
        if (entry.encrypted)
            place.add(findings, Severity::Error, {}, QStringLiteral("The entry is encrypted. The game cannot decrypt it, %1.").arg(skipped));
        if (entry.stored && archive.format().disagreeing.contains(entry.name)) {
            place.add(findings, Severity::Error, {},
                      QStringLiteral("The entry's local header disagrees with the archive's directory. The game reads "
                                     "the local header, %1.")
                          .arg(skipped));
        }
        if (namesTheSameEntry(entry.name, "scripts/arenas.txt")) {
            place.add(findings, Severity::Error, {},
                      QStringLiteral("This file replaces the game's own list of arenas, so the stock maps vanish from "
                                     "the menus."));
        }
        if (namesTheSameEntry(entry.name, "scripts/bots.txt")) {
            place.add(findings, Severity::Error, {},
                      QStringLiteral("This file replaces the game's own list of bots, so the stock bots vanish."));
        }
        if (isFileIn(entry.name, "vm", "qvm")) {
            place.add(findings, Severity::Error, {},
                      QStringLiteral("This file replaces the game's code for everyone who loads this pk3."));
        }
    }
}

KnownBots botsIn(const ArchiveView& archive)
{
    KnownBots bots;
    for (const ArchiveEntry& entry : archive.entries()) {
        if (isFileIn(entry.name, "scripts", "bot") || namesTheSameEntry(entry.name, "scripts/bots.txt")) {
            if (const std::optional<QByteArray> text = archive.read(entry, botFileLimit))
                bots.addBotFile(*text);
        }
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
        const QString problem = header ? levelshotProblem(name, *header) : QStringLiteral("unreadable");
        if (!problem.isEmpty()) {
            place.add(findings, Severity::Error, "map",
                      QStringLiteral("The levelshot %1 is %2. The game cannot load it, and throws the player out of "
                                     "the menu.")
                          .arg(shown(picture->name), problem));
        }
        return;
    }
    place.add(findings, Severity::Advice, "map",
              QStringLiteral("The archive holds no levelshots/%1.tga, .jpg, .jpeg or .png. The menu shows the grey "
                             "\"unknown map\" picture for this map.")
                  .arg(shown(map)));
}

void checkArenaName(const QByteArray& entryName, const QByteArrayList& maps, const Place& place, Findings& findings)
{
    const QByteArray name = entryName.mid(entryName.indexOf('/') + 1).chopped(int(sizeof ".arena" - 1));
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

} // namespace

void checkArchive(const ArchiveView& archive, const QString& archivePath, Findings& findings)
{
    checkArchiveName(archivePath, {archivePath, {}}, findings);
    checkEntries(archive, archivePath, findings);
    const KnownBots bots = botsIn(archive);
    QHash<QByteArray, QByteArray> firstArenaOfMap;
    for (const ArchiveEntry& entry : archive.entries()) {
        if (!isFileIn(entry.name, "scripts", "arena"))
            continue;
        const Place place{archivePath, shown(entry.name)};
        if (entry.size >= arenaFileLimit) {
            reportArenaFileTooLarge(entry.size, place, findings);
            continue;
        }
        const std::optional<QByteArray> text = archive.read(entry, arenaFileLimit);
        if (!text && gameCannotRead(entry))
            continue; // reported with the archive's entries
        if (!text) {
            place.add(findings, Severity::Error, {},
                      QStringLiteral("The entry cannot be read back: its data is damaged, so the game reads garbage "
                                     "from it."));
            continue;
        }
        const QByteArrayList maps = checkArenaFile(*text, bots, place, findings);
        for (const QByteArray& map : maps) {
            if (!archive.find("maps/" + map + ".bsp")) {
                place.add(findings, Severity::Error, "map",
                          QStringLiteral("The archive holds no maps/%1.bsp. The arena lists a map that cannot start.")
                              .arg(shown(map)));
            }
            checkLevelshot(archive, map, place, findings);
            const QByteArray sameMap = map.toLower();
            if (const auto first = firstArenaOfMap.constFind(sameMap); first != firstArenaOfMap.cend()) {
                place.add(findings, Severity::Error, "map",
                          QStringLiteral("The map %1 is listed by another arena too, in %2. The menus list the map "
                                         "twice.")
                              .arg(shown(map), shown(*first)));
            } else {
                firstArenaOfMap.insert(sameMap, entry.name);
            }
        }
        checkArenaName(entry.name, maps, place, findings);
    }
}

} // namespace gamecheck
