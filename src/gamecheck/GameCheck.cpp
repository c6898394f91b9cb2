// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/GameCheck.h"

#include "game/Limits.h"
#include "game/LooseFile.h"
#include "gamecheck/ArchiveRules.h"
#include "gamecheck/ArenaFileRules.h"

#include <QFile>

#include <sys/stat.h>

namespace gamecheck {

using game::ArchiveView;
using game::arenaFileLimit;

namespace {

CheckResult unreadable(const QString& reason)
{
    return {false, reason, {}};
}

CheckResult checkLooseArena(const QString& path)
{
    QString reason;
    // The game skips an arena file this large without reading it; so does
    // the check, reading no more than tells it so.
    const std::optional<game::LooseFile> file = game::readLooseFile(path, arenaFileLimit, &reason);
    if (!file)
        return unreadable(reason);
    CheckResult result;
    if (file->size >= arenaFileLimit)
        reportArenaFileTooLarge(file->size, {path, {}}, result.findings);
    else
        result.findings = checkArenaToSave(file->bytes, path);
    return result;
}

// Whether anything, even a link to nothing, is at the path.
bool somethingAt(const QString& path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

bool isArchivePath(const QString& path)
{
    return path.endsWith(QStringLiteral(".pk3"), Qt::CaseInsensitive);
}

// A loose arena file: the game reads it whole, or skips it for its size.
void readLooseArena(const QString& path, FileToEdit& file)
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
        reportArenaFileTooLarge(loose->size, {path, {}}, file.check.findings);
    else
        file.check.findings = checkArenaToSave(arena.text, path);
}

void readArchive(const QString& path, FileToEdit& file)
{
    file.archive = true;
    QString reason;
    const std::optional<ArchiveView> archive = ArchiveView::open(path, &reason);
    if (!archive) {
        file.check = unreadable(reason);
        return;
    }
    checkArchive(*archive, path, file.check.findings);
    for (const game::ArchiveEntry& entry : archive->entries()) {
        if (isFileIn(entry.key, "maps", "bsp"))
            file.maps << entry.name.mid(int(sizeof "maps/" - 1)).chopped(int(sizeof ".bsp" - 1));
        if (!isFileIn(entry.key, "scripts", "arena"))
            continue;
        const bool tooLarge = entry.size >= arenaFileLimit;
        const std::optional<QByteArray> text =
            tooLarge ? archive->readStart(entry, arenaFileLimit) : archive->read(entry, arenaFileLimit);
        if (!text)
            continue; // the check's findings say why
        file.arenaFiles.push_back({entry.name, *text, entry.size, tooLarge, game::readInfoFile(*text)});
    }
}

} // namespace

FileToEdit readToEdit(const QString& path)
{
    FileToEdit file;
    if (isArchivePath(path))
        readArchive(path, file);
    else
        readLooseArena(path, file);
    return file;
}

CheckResult checkFile(const QString& path)
{
    if (!path.endsWith(QStringLiteral(".pk3"), Qt::CaseInsensitive))
        return checkLooseArena(path);
    QString reason;
    const std::optional<ArchiveView> archive = ArchiveView::open(path, &reason);
    if (!archive)
        return unreadable(reason);
    CheckResult result;
    checkArchive(*archive, path, result.findings);
    return result;
}

Findings checkArenaToSave(const QByteArray& text, const QString& arenaPath)
{
    Findings findings;
    checkArenaFile(text, KnownBots(), {arenaPath, {}}, findings);
    return findings;
}

CheckResult checkArenaToAdd(const QByteArray& text, const QString& archivePath, const QString& entryName)
{
    std::optional<ArchiveView> archive;
    if (somethingAt(archivePath)) {
        QString reason;
        if (!(archive = ArchiveView::open(archivePath, &reason)))
            return unreadable(reason);
        // zip writes a directory of its own around what it read: an archive
        // that holds nothing is as good as none.
        if (archive->holdsNothing())
            archive.emplace();
    } else {
        archive.emplace();
    }
    archive->putArena(entryName.toUtf8(), text);
    CheckResult result;
    checkArchive(*archive, archivePath, result.findings);
    return result;
}

} // namespace gamecheck
