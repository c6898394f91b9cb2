// SPDX-License-Identifier: GPL-3.0-or-later
// The game's own dedicated server as the judge of the loader's rules: it
// loads each row's arena or archive, and must complain exactly where the
// check reports an error.
#include "gamecheck/GameCheckCases.h"

#include <iostream>

namespace {

const QString server = QStringLiteral("/usr/lib/ioquake3/ioq3ded");
const QString gameModule = QStringLiteral("/usr/lib/ioquake3/baseq3/qagamex86_64.so");

// What the loader said about the arenas it found.
struct LoaderVerdict {
    int arenasParsed = -1;
    QStringList warnings;
};

// Runs the server on a game folder of its own: a one-line default.cfg, the
// game module, a pk3 holding the map it starts, and the row's file. A game
// name other than the stock one needs no game data.
LoaderVerdict runServer(const QString& root, const QString& home)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(server, {"+set", "com_basegame", "judgegame", "+set", "fs_basepath", root, "+set", "fs_homepath",
                           home, "+set", "vm_game", "0", "+set", "sv_pure", "0", "+set", "dedicated", "1", "+map",
                           "zzjudge", "+quit"});
    process.waitForFinished(20000);
    static const QRegularExpression colours(QStringLiteral("\\^[0-9]"));
    const QStringList lines = QString::fromLatin1(process.readAll()).remove(colours).split('\n');
    // The loader's messages come after it looks for the list that replaces
    // every arena file, and end with the game's start-up.
    LoaderVerdict verdict;
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

class RealGame : public testing::TestWithParam<CheckCase> {};

TEST_P(RealGame, ComplainsExactlyWhereTheCheckFindsAnError)
{
    if (!QFileInfo::exists(server) || !QFileInfo::exists(gameModule))
        GTEST_SKIP() << "the game's dedicated server (ioquake3-server) is not installed";
    const CheckCase& row = GetParam();
    const QTemporaryDir root, home, rowFolder;
    const QString game = root.filePath(QStringLiteral("judgegame"));
    ASSERT_TRUE(QDir().mkpath(game));
    writeFile(game + "/default.cfg", "set dedicated 1\n");
    ASSERT_TRUE(QFile::link(gameModule, game + "/qagamex86_64.so"));
    writeArchive(game + "/zzjudge.pk3", {{"maps/zzjudge.bsp", smallestBsp()}});

    gamecheck::Findings findings;
    if (row.route == Route::Save) {
        writeArchive(game + "/judged.pk3", {{"scripts/judged.arena", row.arena}});
        findings = gamecheck::checkArenaToSave(row.arena, QStringLiteral("judged.arena"));
    } else {
        const QString path = buildCaseFile(row, rowFolder.path());
        ASSERT_TRUE(QFile::copy(path, game + "/judged.pk3"));
        findings = gamecheck::checkFile(path).findings;
    }
    const LoaderVerdict verdict = runServer(root.path(), home.path());
    ASSERT_GE(verdict.arenasParsed, 0) << "the server never loaded the arenas";
    for (const QString& warning : verdict.warnings)
        std::cout << "[" << row.name << "] " << warning.toStdString() << '\n';

    const bool complained = !verdict.warnings.isEmpty() || verdict.arenasParsed < row.arenasHeld;
    const bool errorExpected = std::any_of(row.expected.begin(), row.expected.end(),
                                           [](const Expected& e) { return e.severity == gamecheck::Severity::Error; });
    EXPECT_EQ(complained, gamecheck::hasErrors(findings))
        << verdict.arenasParsed << " of " << row.arenasHeld << " arenas parsed; warnings: "
        << verdict.warnings.join(" | ").toStdString();
    EXPECT_EQ(complained, errorExpected);
}

std::vector<CheckCase> judgedCases()
{
    std::vector<CheckCase> judged;
    std::copy_if(checkCases().begin(), checkCases().end(), std::back_inserter(judged),
                 [](const CheckCase& row) { return row.judge == Judge::Loader; });
    return judged;
}

INSTANTIATE_TEST_SUITE_P(, RealGame, testing::ValuesIn(judgedCases()),
                         [](const testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

} // namespace
