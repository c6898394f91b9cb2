// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/FolderRules.h"

#include "game/InfoFile.h"
#include "game/Limits.h"
#include "gamecheck/FolderContext.h"
#include "gamecheck/ShownName.h"

#include <algorithm>
#include <tuple>

namespace gamecheck {

namespace {

// Findings about the game's own pk3s: the release's, which no author mends.
void dropTheGamesOwn(const game::GameFolder& folder, Findings& findings)
{
    QSet<QByteArray> own;
    for (const game::Source& source : folder.sources()) {
        if (source.gamesOwn)
            own.insert(source.path);
    }
    std::erase_if(findings, [&](const Finding& finding) { return own.contains(finding.file); });
}

FolderSummary summarize(const FolderContext& context)
{
    const game::GameFolder& folder = context.folder;
    FolderSummary summary;
    summary.game = &folder.game();
    summary.folders = folder.searchPath().paths();
    for (const game::Source& source : folder.sources()) {
        if (!source.name.isEmpty()) {
            ++summary.paks;
            summary.gamesOwnPaks += source.gamesOwn ? 1 : 0;
        }
    }
    summary.arenasRead = int(context.every.infos.size());
    // The copies of arena files that no engine reads, and the arenas they hold.
    for (auto named = folder.index().cbegin(); named != folder.index().cend(); ++named) {
        const QByteArray& key = named.key();
        if (key != "scripts/arenas.txt" && !(key.startsWith("scripts/") && key.endsWith(".arena")))
            continue;
        for (const game::FileCopy& copy : named.value()) {
            if (context.readBy.contains(copy))
                continue;
            const game::CopyBytes read = folder.read(copy, game::arenaFileLimit - 1);
            if (read.bytes)
                summary.arenasShadowed += int(game::readInfoFile(*read.bytes).blocks.size());
        }
    }
    for (const LoadedList& loaded : context.lists) {
        const bool server = loaded.loader->server;
        const int count = server ? int(loaded.list.infos.size()) : loaded.list.shown();
        const bool stops = server && loaded.list.poolExhausted
            && loaded.loader->loader.poolRule == game::PoolRule::FullStopsTheGame;
        summary.loaders.push_back({loaded.name(), count, server, stops});
        if (server)
            summary.server = count;
    }
    if (context.heaviest) {
        summary.heaviestMap = context.heaviest->name;
        summary.serverOnLighterMaps = context.serverArenasOnLighterMaps;
    }
    return summary;
}

// "the 1.32 menus 52"; the server's count by the map it starts, where
// that changes it.
QString loaderCount(const FolderSummary& summary, const LoaderCount& count)
{
    const QString map = shownName(summary.heaviestMap);
    if (count.stops) {
        return summary.heaviestMap.isEmpty()
            ? QStringLiteral("%1 none: its memory runs out").arg(count.loader)
            : QStringLiteral("%1 none when it starts %2: its memory runs out").arg(count.loader, map);
    }
    QString text = QStringLiteral("%1 %2").arg(count.loader, number(qulonglong(count.arenas)));
    if (count.server && !summary.heaviestMap.isEmpty() && summary.serverOnLighterMaps != count.arenas) {
        text += QStringLiteral(" when it starts %1, %2 with a map of fewer entities")
                    .arg(map, number(qulonglong(summary.serverOnLighterMaps)));
    }
    return text;
}

} // namespace

FolderReport checkGameFolder(const game::GameFolder& folder, const FolderCheckOptions& options)
{
    FolderContext context(folder, options);
    checkArchivesOfFolder(context);
    checkArenaFilesOfFolder(context);
    checkDoubledMaps(context);
    checkHiddenCopies(context);
    checkListLimits(context);
    checkMapsOfFolder(context);
    checkShadowedPacks(context);
    checkServerMemory(context);
    checkStartServerMenu(context);
    FolderReport report;
    report.findings = std::move(context.findings);
    dropTheGamesOwn(folder, report.findings);
    std::stable_sort(report.findings.begin(), report.findings.end(), [](const Finding& a, const Finding& b) {
        return std::tie(a.file, a.entry) < std::tie(b.file, b.entry);
    });
    if (options.only.isEmpty())
        report.summary = summarize(context);
    return report;
}

QString summarySentence(const FolderSummary& summary)
{
    QStringList folders;
    for (const QString& path : summary.folders)
        folders << shownPath(path);
    QString paks = counted(qulonglong(summary.paks), "pk3", "pk3s");
    if (summary.gamesOwnPaks > 0)
        paks += QStringLiteral(", %1 of them the game's own").arg(summary.gamesOwnPaks);
    QString sentence = QStringLiteral("%1 reads %2 (%3)").arg(QString::fromLatin1(summary.game->name), spokenList(folders), paks);
    // The first of the menus heads the counts; the others follow by name.
    const auto menus = std::find_if(summary.loaders.begin(), summary.loaders.end(),
                                    [](const LoaderCount& count) { return !count.server; });
    const int listed = menus == summary.loaders.end() ? summary.server : menus->arenas;
    sentence += QStringLiteral("; the menus will list %1, out of %2")
                    .arg(counted(qulonglong(listed), "map", "maps"), counted(qulonglong(summary.arenasRead), "arena", "arenas"));
    if (summary.arenasShadowed > 0)
        sentence += QStringLiteral(" (%1 more in copies the game never reads)").arg(summary.arenasShadowed);
    // The other menus, then the server.
    QStringList others;
    for (const bool server : {false, true}) {
        for (auto count = summary.loaders.begin(); count != summary.loaders.end(); ++count) {
            if (count != menus && count->server == server)
                others << loaderCount(summary, *count);
        }
    }
    if (!others.isEmpty())
        sentence += QStringLiteral("; ") + others.join(QStringLiteral(", "));
    return sentence + QLatin1Char('.');
}

} // namespace gamecheck
