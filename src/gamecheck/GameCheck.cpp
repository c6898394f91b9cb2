// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/GameCheck.h"

#include "game/Limits.h"
#include "gamecheck/ArchiveRules.h"
#include "gamecheck/ArenaFileRules.h"

#include <QFile>
#include <QFileInfo>

namespace gamecheck {

using game::ArchiveView;
using game::readZipFormatFacts;
using game::arenaFileLimit;

namespace {

// Opens an archive that exists; `reason` says why it cannot be read.
std::optional<ArchiveView> openArchive(const QString& path, QString& reason)
{
    QString libraryReason;
    std::optional<platform::ZipArchive> archive = platform::ZipArchive::open(path, &libraryReason);
    if (!archive) {
        const QString notZip = QStringLiteral("Not a zip archive");
        reason = libraryReason.startsWith(notZip) ? libraryReason : notZip + QStringLiteral(": ") + libraryReason;
        return std::nullopt;
    }
    return ArchiveView(std::move(*archive), readZipFormatFacts(path));
}

CheckResult unreadable(const QString& reason)
{
    return {false, reason, {}};
}

CheckResult checkLooseArena(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return unreadable(file.exists() ? file.errorString() : QStringLiteral("No such file"));
    CheckResult result;
    const Place place{path, {}};
    // The game skips an arena file this large without reading it; so does the check.
    if (std::uint64_t(file.size()) >= arenaFileLimit)
        reportArenaFileTooLarge(std::uint64_t(file.size()), place, result.findings);
    else
        result.findings = checkArenaToSave(file.readAll(), path);
    return result;
}

} // namespace

CheckResult checkFile(const QString& path)
{
    if (!path.endsWith(QStringLiteral(".pk3"), Qt::CaseInsensitive))
        return checkLooseArena(path);
    if (!QFileInfo::exists(path))
        return unreadable(QStringLiteral("No such file"));
    QString reason;
    const std::optional<ArchiveView> archive = openArchive(path, reason);
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
    if (QFileInfo::exists(archivePath)) {
        QString reason;
        if (!(archive = openArchive(archivePath, reason)))
            return unreadable(reason);
    } else {
        archive.emplace();
    }
    archive->putArena(entryName.toUtf8(), text);
    CheckResult result;
    checkArchive(*archive, archivePath, result.findings);
    return result;
}

} // namespace gamecheck
