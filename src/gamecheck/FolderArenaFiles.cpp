// SPDX-License-Identifier: GPL-3.0-or-later
// The content of every arena file some engine reads, the bot files the
// server skips, and the lists of arenas and bots that stand in for the
// game's own.
#include "game/Limits.h"
#include "game/LooseFile.h"
#include "gamecheck/ArchiveRules.h"
#include "gamecheck/ArenaFileRules.h"
#include "gamecheck/FolderContext.h"

namespace gamecheck {

using game::FileCopy;
using game::ListedFile;

namespace {

// A list of arenas or bots of the folder's own, where it is not one of the
// game's archives: it stands in for the game's list, and hides it.
void checkListReplacement(FolderContext& context, FileCopy copy, const QByteArray& name, const QString& sentence)
{
    if (context.folder.sourceOf(copy).gamesOwn)
        return;
    QString hidden;
    for (const FileCopy& other : context.folder.copiesOf(name)) {
        if (!(other == copy) && !context.readBy.contains(other)) {
            hidden = QStringLiteral(" The game reads it instead of the one in %1.").arg(context.describe(other));
            break;
        }
    }
    context.placeOf(copy).add(context.findings, Severity::Error, {}, sentence + hidden);
}

// A loose arena file the check could not read, as the game meets it.
void reportUnreadableLooseFile(const QByteArray& path, const QString& problem, const Place& place, Findings& findings)
{
    switch (game::looseRefusalOf(path)) {
    case game::LooseRefusal::Fifo:
        place.add(findings, Severity::Error, {},
                  QStringLiteral("This is a FIFO, not a file. The game opens it to read its arenas and waits there "
                                 "for as long as no program writes to it: the server never starts its map."));
        return;
    case game::LooseRefusal::Device:
        place.add(findings, Severity::Error, {},
                  QStringLiteral("This is a device, not a file. The game finds it empty and reads no arena from it."));
        return;
    case game::LooseRefusal::Unopenable:
        place.add(findings, Severity::Error, {},
                  QStringLiteral("The game lists this file but cannot open it (%1), so none of its arenas show.")
                      .arg(problem));
        return;
    }
}

void checkArenaFile(FolderContext& context, const QByteArray& request, FileCopy copy)
{
    const game::GameFolder& folder = context.folder;
    const Place place = context.placeOf(copy);
    const game::CopyBytes read = folder.read(copy, game::arenaFileLimit - 1);
    if (read.size >= game::arenaFileLimit) {
        reportArenaFileTooLarge(read.size, place, context.findings);
        return;
    }
    if (!read.bytes) {
        // An archive's entries that cannot be read are reported with the archive.
        if (folder.sourceOf(copy).loose())
            reportUnreadableLooseFile(folder.fileOf(copy), read.problem, place, context.findings);
        return;
    }
    const std::vector<ListedMap> listed = checkArenaFile(*read.bytes, context.bots, place, context.findings);
    context.adviseOnLooseFile(copy);
    const game::Source& source = folder.sourceOf(copy);
    if (request == "scripts/arenas.txt") {
        checkListReplacement(context, copy, request,
                             QStringLiteral("This file replaces the game's own list of arenas, so the stock maps "
                                            "vanish from the menus."));
    } else if (!source.loose() && !source.gamesOwn) {
        checkArenaFileName(folder.nameOf(copy), mapsOf(listed), place, context.findings);
    }
    for (const auto& [map, arena] : listed) {
        if (!folder.find("maps/" + map + ".bsp")) {
            place.inArena(arena).add(context.findings, Severity::Error, "map",
                                     QStringLiteral("No pk3 and no loose file of the folder holds maps/%1.bsp. The "
                                                    "menus list the map, but it cannot start.")
                                         .arg(shownName(map)));
        }
        checkLevelshot(context, map, copy, place.inArena(arena));
    }
}

// A bot file the server skips for its size defines none of its bots.
void checkBotFiles(FolderContext& context)
{
    for (const ListedFile& file : context.botList.files) {
        if (file.fate != ListedFile::Fate::TooLarge || !context.wanted(*file.copy))
            continue;
        context.placeOf(*file.copy).add(context.findings, Severity::Error, {},
                                        QStringLiteral("The file is %1 bytes. The game skips a bot file of %2 bytes or "
                                                       "more whole, as \"too large\", so none of its bots exist.")
                                            .arg(number(file.size), number(game::botFileLimit)));
    }
}

} // namespace

void checkArenaFilesOfFolder(FolderContext& context)
{
    checkBotFiles(context);
    std::vector<std::pair<QByteArray, FileCopy>> arenaFiles;
    for (const LoadedList& loaded : context.lists) {
        for (const ListedFile& file : loaded.list.files) {
            if (file.copy && file.fate != ListedFile::Fate::NotFound && !context.readBy.contains(*file.copy)) {
                context.readBy.insert(*file.copy);
                arenaFiles.emplace_back(file.request, *file.copy);
            }
        }
    }
    for (const game::Engine engine : game::allEngines) {
        for (const QByteArray& request : context.requests()) {
            if (const std::optional<FileCopy> copy = context.folder.find(request, engine))
                context.readBy.insert(*copy);
        }
    }
    for (const auto& [request, copy] : arenaFiles) {
        if (context.wanted(copy))
            checkArenaFile(context, request, copy);
    }
    if (const std::optional<FileCopy> bots = context.folder.find("scripts/bots.txt"); bots && context.wanted(*bots))
        checkListReplacement(context, *bots, "scripts/bots.txt",
                             QStringLiteral("This file replaces the game's own list of bots, so the stock bots vanish."));
}

} // namespace gamecheck
