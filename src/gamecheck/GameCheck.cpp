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

} // namespace

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
