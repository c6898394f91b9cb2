// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/GameCheck.h"

#include "game/GameFolder.h"
#include "game/Limits.h"
#include "game/LooseFile.h"
#include "game/PakOrder.h"
#include "gamecheck/ArchiveRules.h"
#include "gamecheck/ArenaFileRules.h"
#include "platform/system/FolderFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <sys/stat.h>

namespace gamecheck {

using game::ArchiveView;
using game::arenaFileLimit;

namespace {

CheckResult unreadable(const QString& reason)
{
    return {false, reason, {}};
}

// Whether the folder holds a pk3 other than the one named `except`.
bool holdsOtherPaks(const QByteArray& folder, const QByteArray& except)
{
    const std::optional<std::vector<platform::FolderItem>> items = platform::listFolder(folder);
    return items && std::any_of(items->begin(), items->end(), [&](const platform::FolderItem& item) {
               return !item.folder && game::isPakName(item.name) && item.name != except;
           });
}

// Whether a file of this game folder is judged among other files the game
// loads with it: other pk3s beside it, or other folders of its search path.
bool amongOthers(const QByteArray& folder, const QByteArray& except, const game::Locations& where)
{
    return holdsOtherPaks(folder, except)
        || game::searchPathOf(QFile::decodeName(folder), where).directories.size() > 1;
}

// The game a file of this game folder is for.
const game::Game& gameOf(const QByteArray& folder, const game::Locations& where)
{
    return where.game ? *where.game : game::gameOfFolder(QFile::decodeName(folder));
}

// The game folder of an arena file in its scripts/ folder, where the file
// is judged among others there; nothing for one elsewhere.
std::optional<QByteArray> gameFolderOfArena(const QByteArray& arenaPath, const game::Locations& where)
{
    const QByteArray scripts = platform::folderOf(arenaPath);
    if (platform::fileNameOf(scripts) != "scripts")
        return std::nullopt;
    const QByteArray folder = platform::folderOf(scripts);
    return amongOthers(folder, {}, where) ? std::optional(folder) : std::nullopt;
}

// The findings about one file about to be written, judged among all of
// its game's search path.
Findings findingsAbout(const QByteArray& path, game::PendingFile pending, const QByteArray& folder,
                       platform::ChecksumCache* checksums, const game::Locations& where = {})
{
    const game::GameFolder opened =
        game::GameFolder::open(game::searchPathOf(QFile::decodeName(folder), where), {std::move(pending), {}});
    Findings findings = checkGameFolder(opened, {path, {path}, checksums}).findings;
    std::erase_if(findings, [&](const Finding& finding) { return finding.file != path; });
    return findings;
}

// An arena file's text, alone or among the pk3s of its game folder.
Findings arenaFindings(const QByteArray& text, const QByteArray& arenaPath, const game::Locations& where)
{
    if (const std::optional<QByteArray> folder = gameFolderOfArena(arenaPath, where))
        return findingsAbout(arenaPath, {arenaPath, text}, *folder, nullptr, where);
    // An arena file in a game folder's scripts/ is that game's.
    const QByteArray scripts = platform::folderOf(arenaPath);
    const game::Game& game = where.game                    ? *where.game
                             : platform::fileNameOf(scripts) == "scripts" ? gameOf(platform::folderOf(scripts), {})
                                                                            : game::quake3();
    Findings findings;
    checkArenaFile(text, KnownBots(game), Place{arenaPath}, findings);
    return findings;
}

// A loose arena file, alone; its game folder where it lies in one with pk3s.
CheckResult checkLooseArena(const QByteArray& path, std::optional<QByteArray>& gameFolder, const game::Locations& where)
{
    QString reason;
    // The game skips an arena file this large without reading it; so does
    // the check, reading no more than tells it so.
    const std::optional<game::LooseFile> file = game::readLooseFile(path, arenaFileLimit, &reason);
    if (!file)
        return unreadable(reason);
    CheckResult result;
    if (file->size >= arenaFileLimit)
        reportArenaFileTooLarge(file->size, Place{path}, result.findings);
    else if (!(gameFolder = gameFolderOfArena(path, where)))
        result.findings = arenaFindings(file->bytes, path, where);
    return result;
}

// An archive, alone; its folder where that holds other pk3s.
CheckResult checkArchiveFile(const QByteArray& path, std::optional<QByteArray>& gameFolder,
                             const game::Locations& where)
{
    QString reason;
    const std::optional<ArchiveView> archive = ArchiveView::open(path, &reason);
    if (!archive)
        return unreadable(reason);
    CheckResult result;
    const QByteArray folder = platform::folderOf(path);
    if (amongOthers(folder, platform::fileNameOf(path), where)) {
        gameFolder = folder;
    } else {
        Findings findings;
        checkArchive(*archive, QFile::decodeName(path), gameOf(folder, where), findings);
        moveFindingsOf(path, findings, result.findings);
    }
    return result;
}

// Whether anything, even a link to nothing, is at the path.
bool somethingAt(const QString& path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

bool isArchivePath(const QByteArray& path)
{
    return path.toLower().endsWith(".pk3");
}

// A loose arena file: the game reads it whole, or skips it for its size.
void readLooseArena(const QByteArray& path, FileToEdit& file)
{
    QString reason;
    const std::optional<game::LooseFile> loose = game::readLooseFile(path, arenaFileLimit, &reason);
    if (!loose) {
        file.check = unreadable(reason);
        return;
    }
    ArenaFile& arena = file.arenaFiles.emplace_back();
    arena.text = loose->bytes;
    arena.size = loose->size;
    arena.tooLarge = loose->size >= arenaFileLimit;
    arena.reading = game::readInfoFile(arena.text);
    if (arena.tooLarge)
        reportArenaFileTooLarge(loose->size, Place{path}, file.check.findings);
    else
        file.check.findings = arenaFindings(arena.text, path, {});
}

void readArenaEntry(const ArchiveView& archive, const game::ArchiveEntry& entry, FileToEdit& file)
{
    const bool tooLarge = entry.size >= arenaFileLimit;
    const std::optional<QByteArray> text =
        tooLarge ? archive.readStart(entry, arenaFileLimit) : archive.read(entry, arenaFileLimit);
    // What the game reads only in part, or encrypted, could not be written
    // back whole; the check's findings say why.
    if (!text || entry.encrypted || (!tooLarge && std::uint64_t(text->size()) < entry.size))
        return;
    file.arenaFiles.push_back({entry.name, *text, entry.size, tooLarge, game::readInfoFile(*text)});
}

void readArchive(const QByteArray& path, FileToEdit& file)
{
    file.archive = true;
    QString reason;
    std::optional<ArchiveView> archive = ArchiveView::open(path, &reason);
    if (!archive) {
        file.check = unreadable(reason);
        return;
    }
    // The game reads its list of arenas first, then every arena file.
    if (const game::ArchiveEntry* list = archive->find("scripts/arenas.txt"))
        readArenaEntry(*archive, *list, file);
    for (const game::ArchiveEntry& entry : archive->entries()) {
        if (isFileIn(entry.key, "maps", "bsp"))
            file.maps << entry.name.mid(int(sizeof "maps/" - 1)).chopped(int(sizeof ".bsp" - 1));
        if (isFileIn(entry.key, "scripts", "arena"))
            readArenaEntry(*archive, entry, file);
    }
    // As the check of the file would: a pack's map may well lie in another
    // pk3 of its folder.
    const QByteArray folder = platform::folderOf(path);
    if (holdsOtherPaks(folder, platform::fileNameOf(path))) {
        file.check.findings = findingsAbout(path, {path, std::move(*archive)}, folder, nullptr);
    } else {
        Findings findings;
        checkArchive(*archive, QFile::decodeName(path), gameOf(folder, {}), findings);
        moveFindingsOf(path, findings, file.check.findings);
    }
}

} // namespace

FileToEdit readToEdit(const QString& path)
{
    FileToEdit file;
    const QByteArray name = QFile::encodeName(path);
    if (isArchivePath(name))
        readArchive(name, file);
    else
        readLooseArena(name, file);
    return file;
}

CheckResult checkFile(const QString& path, platform::ChecksumCache* checksums, const game::Locations& where)
{
    return checkFiles({QFile::encodeName(path)}, checksums, where).front();
}

std::vector<CheckResult> checkFiles(const QByteArrayList& paths, platform::ChecksumCache* checksums,
                                    const game::Locations& where)
{
    std::vector<CheckResult> results;
    // Files that lie among pk3s, by their game folders: each folder is read once.
    QMap<QByteArray, QByteArrayList> amongOthers;
    for (const QByteArray& path : paths) {
        std::optional<QByteArray> folder;
        results.push_back(isArchivePath(path) ? checkArchiveFile(path, folder, where)
                                              : checkLooseArena(path, folder, where));
        if (folder)
            amongOthers[platform::absolutePath(*folder)] << path;
    }
    for (auto group = amongOthers.cbegin(); group != amongOthers.cend(); ++group) {
        const QSet<QByteArray> wanted(group.value().begin(), group.value().end());
        const game::GameFolder opened = game::GameFolder::open(
            game::searchPathOf(QFile::decodeName(group.key()), where), {std::nullopt, group.value()});
        const Findings findings = checkGameFolder(opened, {{}, wanted, checksums}).findings;
        for (qsizetype at = 0; at < paths.size(); ++at) {
            if (!wanted.contains(paths[at]))
                continue;
            std::copy_if(findings.begin(), findings.end(), std::back_inserter(results[std::size_t(at)].findings),
                         [&](const Finding& finding) { return finding.file == paths[at]; });
        }
    }
    return results;
}

FolderCheckResult checkFolder(const QString& path, const game::Locations& where, platform::ChecksumCache* checksums)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {false, QStringLiteral("No such folder"), {}};
    if (!info.isDir())
        return {false, QStringLiteral("Not a folder"), {}};
    if (!platform::listFolder(QFile::encodeName(path)))
        return {false, QStringLiteral("The folder cannot be listed"), {}};
    return {true, {}, checkGameFolder(game::GameFolder::open(game::searchPathOf(path, where)), {{}, {}, checksums})};
}

Findings checkArenaToSave(const QByteArray& text, const QString& arenaPath, const game::Locations& where)
{
    return arenaFindings(text, QFile::encodeName(arenaPath), where);
}

CheckResult checkArenaToAdd(const QByteArray& text, const QString& archivePath, const QByteArray& entryName,
                            platform::ChecksumCache* checksums, const game::Locations& where)
{
    std::optional<ArchiveView> archive;
    if (somethingAt(archivePath)) {
        QString reason;
        if (!(archive = ArchiveView::open(QFile::encodeName(archivePath), &reason)))
            return unreadable(reason);
        // zip writes a directory of its own around what it read: an archive
        // that holds nothing is as good as none.
        if (archive->holdsNothing())
            archive.emplace();
    } else {
        archive.emplace();
    }
    archive->putArena(entryName, text);
    CheckResult result;
    const QByteArray path = QFile::encodeName(archivePath);
    const QByteArray folder = platform::folderOf(path);
    if (amongOthers(folder, platform::fileNameOf(path), where))
        result.findings = findingsAbout(path, {path, std::move(*archive)}, folder, checksums, where);
    else
        checkArchive(*archive, archivePath, gameOf(folder, where), result.findings);
    return result;
}

} // namespace gamecheck
