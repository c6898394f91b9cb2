// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The game's own dedicated server as a judge: it loads the arenas of a game
// folder of its own, and says what its loader made of them.
#include "support/Archives.h"

struct LoaderVerdict {
    bool ran = false; // false: the server is not installed
    bool crashed = false;
    int arenasParsed = -1;
    QStringList warnings;
};

inline const QString realGameServer = QStringLiteral("/usr/lib/ioquake3/ioq3ded");
inline const QString realGameModule = QStringLiteral("/usr/lib/ioquake3/baseq3/qagamex86_64.so");
// OpenArena's game module, unpacked from Debian's openarena-server by tools/test.
inline const QString realOpenArenaModule = QStringLiteral(MAPWRIGHT_OPENARENA_MODULE);

// Runs the server on a game folder holding a one-line default.cfg, the game
// module, a pk3 with the map it starts, and what `putFiles` puts in the
// folder it is given. A game name other than the stock one needs no game data.
inline LoaderVerdict judgeWithTheGame(const std::function<void(const QString& gameFolder)>& putFiles)
{
    LoaderVerdict verdict;
    if (!QFileInfo::exists(realGameServer) || !QFileInfo::exists(realGameModule))
        return verdict;
    verdict.ran = true;
    const QTemporaryDir root, home;
    const QString game = root.filePath(QStringLiteral("judgegame"));
    QDir().mkpath(game);
    writeFile(game + "/default.cfg", "set dedicated 1\n");
    QFile::link(realGameModule, game + "/qagamex86_64.so");
    writeArchive(game + "/zzjudge.pk3", {{"maps/zzjudge.bsp", smallestBsp()}});
    putFiles(game);

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(realGameServer, {"+set", "com_basegame", "judgegame", "+set", "fs_basepath", root.path(), "+set",
                                   "fs_homepath", home.path(), "+set", "vm_game", "0", "+set", "sv_pure", "0", "+set",
                                   "dedicated", "1", "+map", "zzjudge", "+quit"});
    process.waitForFinished(20000);
    static const QRegularExpression colours(QStringLiteral("\\^[0-9]"));
    const QStringList lines = QString::fromLatin1(process.readAll()).remove(colours).split('\n');
    verdict.crashed = !lines.filter(QStringLiteral("(Received signal")).isEmpty();
    // The loader's messages come after it looks for the list that replaces
    // every arena file, and end with the game's start-up.
    const qsizetype start = lines.indexOf(QStringLiteral("file not found: scripts/arenas.txt"));
    static const QRegularExpression parsed(QStringLiteral("^(\\d+) arenas parsed$"));
    for (qsizetype at = start + 1; start >= 0 && at < lines.size() && !lines[at].startsWith("-----"); ++at) {
        if (const QRegularExpressionMatch match = parsed.match(lines[at]); match.hasMatch())
            verdict.arenasParsed = match.captured(1).toInt();
        else if (!lines[at].startsWith(QStringLiteral("Error: Bot")))
            verdict.warnings << lines[at];
    }
    return verdict;
}
