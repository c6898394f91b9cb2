// SPDX-License-Identifier: GPL-3.0-or-later
// Game folders as the game loads them, with the game's own dedicated server
// as the judge: the check's count of arenas is the server's, and it reports
// an error wherever the server drops, hides or refuses something.
#include "game/Game.h"
#include "game/GameFolder.h"
#include "game/MapChecksum.h"
#include "game/PakOrder.h"
#include "platform/system/ChecksumCache.h"
#include "gamecheck/FolderCheckCases.h"
#include "gamecheck/ShownName.h"
#include "support/OrdinaryUser.h"
#include "support/RealGame.h"

#include <iostream>

namespace {

using gamecheck::Severity;

// A finding's place, its file's name quoted as the check quotes it.
QString placeOf(Severity severity, const QByteArray& file, const QString& entry, const QString& key)
{
    return QStringLiteral("%1 %2:%3 [%4]")
        .arg(severity == Severity::Error ? "error" : "advice", gamecheck::shownName(file), entry, key);
}

// The finding's file as the table names it, in its game folder; the home
// folder's start with "home/".
QByteArray tableFile(const QString& root, const QString& home, const QByteArray& file)
{
    const QByteArray base = baseFolder.toUtf8() + '/';
    const QByteArray inHome = QFile::encodeName(home) + '/', inRoot = QFile::encodeName(root) + '/';
    if (file.startsWith(inHome))
        return "home/" + file.mid(inHome.size() + base.size());
    const QByteArray relative = file.startsWith(inRoot) ? file.mid(inRoot.size()) : file;
    return relative.startsWith(base) ? relative.mid(base.size()) : relative;
}

struct Checked {
    QString root;
    gamecheck::FolderReport report;
};

const QString& moduleOf(const FolderCase& row)
{
    return row.game == &game::openArena() ? realOpenArenaModule : realGameModule;
}

Checked checkRow(const FolderCase& row, const QTemporaryDir& root, const QTemporaryDir& home)
{
    const game::GameFolder folder = game::GameFolder::open(buildFolders(row, root.path(), home.path()));
    return {root.path(), gamecheck::checkGameFolder(folder)};
}

QByteArray tableFile(const Checked& checked, const QTemporaryDir& home, const QByteArray& file)
{
    return tableFile(checked.root, home.path(), file);
}

class FolderCheckTable : public testing::TestWithParam<FolderCase> {};

TEST_P(FolderCheckTable, FindsWhatTheGameWillDoWithTheWholeFolder)
{
    const FolderCase& row = GetParam();
    const QTemporaryDir root, home;
    const Checked checked = checkRow(row, root, home);
    QStringList found, expected, sentences;
    for (const gamecheck::Finding& finding : checked.report.findings) {
        found << placeOf(finding.severity, tableFile(checked, home, finding.file), finding.entry, finding.key);
        sentences << finding.sentence;
        EXPECT_TRUE(finding.sentence.endsWith('.')) << finding.sentence.toStdString();
    }
    for (const FolderExpected& place : row.expected)
        expected << placeOf(place.severity, place.file, QString::fromUtf8(place.entry), QString::fromUtf8(place.key));
    found.sort();
    expected.sort();
    EXPECT_EQ(found, expected) << sentences.join('\n').toStdString();
    if (row.serverArenas >= 0) {
        EXPECT_EQ(checked.report.summary.server, row.serverArenas);
    }
}

INSTANTIATE_TEST_SUITE_P(, FolderCheckTable, testing::ValuesIn(folderCases()),
                         [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });

// What the server said while it loaded the folder and started its maps.
struct ServerVerdict {
    int arenasParsed = -1;
    QSet<QString> notDefined, outOfDate, cannotFind;
    bool botsWithoutNavigation = false;
    QStringList loaderWarnings;
};

ServerVerdict runServer(const FolderCase& row, const QString& root, const QString& home)
{
    const QString game = QDir(root).filePath(baseFolder);
    writeFile(game + "/default.cfg", "set dedicated 1\n");
    QFile::link(moduleOf(row), game + "/qagamex86_64.so");
    // Without these the bot library never looks at a map's navigation file.
    QDir().mkpath(game + "/botfiles");
    for (const char* name : {"weapons", "items", "syn", "rnd", "match", "rchat"})
        writeFile(QStringLiteral("%1/botfiles/%2.c").arg(game, name), {});
    QStringList arguments{"+set", "com_basegame", baseFolder, "+set", "fs_basepath", root, "+set", "fs_homepath", home,
                          "+set", "vm_game", "0", "+set", "sv_pure", "0", "+set", "dedicated", "1", "+set",
                          "net_enabled", "0"};
    if (!row.mod.empty())
        arguments << "+set" << "fs_game" << "mod";
    // A map of the judge's own, with no arena and no entity the game module
    // keeps, that loads the game's lists whatever the folder holds; then the
    // row's maps in single player, for their arenas' bots to join.
    writeArchive(game + "/zzjudge.pk3", {{"maps/zzjudge.bsp", smallestBsp()}});
    arguments << "+map" << "zzjudge";
    for (const QByteArray& map : row.starts)
        arguments << "+spmap" << QString::fromLatin1(map);
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(realGameServer, arguments << "+quit");
    // A server that is to abort may instead wait forever, as on a FIFO.
    process.waitForFinished(row.serverArenas < 0 ? 10000 : 60000);
    static const QRegularExpression colours("\\^[0-9]"), parsed("^(\\d+) arenas parsed$"),
        notDefined("^Error: Bot '(.*)' not defined$"), outOfDate("aas file maps/(.*)\\.aas is out of date$"),
        cannotFind("^Can't find map maps/(.*)\\.bsp$"),
        warning("file too large|Max infos exceeded|Missing \\{|Unexpected end of info file|Info string length "
                "exceeded|Can't use keys|G_Alloc|file not found: scripts/(?!arenas\\.txt|bots\\.txt)");
    ServerVerdict verdict;
    for (const QString& line : QString::fromLatin1(process.readAll()).remove(colours).split('\n')) {
        // What counts is the last map the game module started.
        if (line == QLatin1String("------- Game Initialization -------"))
            verdict.arenasParsed = -1;
        if (const QRegularExpressionMatch match = parsed.match(line); match.hasMatch())
            verdict.arenasParsed = match.captured(1).toInt();
        else if (const QRegularExpressionMatch bot = notDefined.match(line); bot.hasMatch())
            verdict.notDefined << bot.captured(1);
        else if (const QRegularExpressionMatch stale = outOfDate.match(line); stale.hasMatch())
            verdict.outOfDate << stale.captured(1);
        else if (const QRegularExpressionMatch missing = cannotFind.match(line); missing.hasMatch())
            verdict.cannotFind << missing.captured(1);
        verdict.botsWithoutNavigation = verdict.botsWithoutNavigation || line.contains("AAS not initialized");
        if (warning.match(line).hasMatch())
            verdict.loaderWarnings << line;
    }
    return verdict;
}

// What the check's errors say in the server's terms.
ServerVerdict checkVerdict(const gamecheck::FolderReport& report)
{
    static const QRegularExpression bot("^The bot \"(.*)\" is defined by no bot file"),
        noBsp("^No pk3 and no loose file of the folder holds maps/(.*)\\.bsp"), stale("^maps/(.*)\\.aas was built for");
    ServerVerdict verdict;
    verdict.arenasParsed = report.summary.server;
    for (const gamecheck::Finding& finding : report.findings) {
        if (finding.severity != Severity::Error)
            continue;
        if (const QRegularExpressionMatch match = bot.match(finding.sentence); match.hasMatch())
            verdict.notDefined << match.captured(1);
        if (const QRegularExpressionMatch match = noBsp.match(finding.sentence); match.hasMatch())
            verdict.cannotFind << match.captured(1);
        if (const QRegularExpressionMatch match = stale.match(finding.sentence); match.hasMatch())
            verdict.outOfDate << match.captured(1);
        verdict.botsWithoutNavigation = verdict.botsWithoutNavigation || finding.sentence.contains("bots this arena lists never join");
    }
    return verdict;
}

class FolderRealGame : public testing::TestWithParam<FolderCase> {};

TEST_P(FolderRealGame, CountsTheServersArenasAndReportsWhatItRefuses)
{
    const FolderCase& row = GetParam();
    if (!QFileInfo::exists(realGameServer) || !QFileInfo::exists(realGameModule))
        GTEST_SKIP() << "the game's dedicated server (ioquake3-server) is not installed";
    if (!QFileInfo::exists(moduleOf(row)))
        GTEST_SKIP() << "OpenArena's game module is not unpacked: tools/test fetches it from openarena-server";
    const QTemporaryDir root, home;
    const Checked checked = checkRow(row, root, home);
    const ServerVerdict server = runServer(row, root.path(), home.path());
    const ServerVerdict check = checkVerdict(checked.report);
    for (const QString& warning : server.loaderWarnings)
        std::cout << "[" << row.name << "] " << warning.toStdString() << '\n';
    if (row.serverArenas < 0) {
        EXPECT_EQ(server.arenasParsed, -1) << "the server should abort";
        EXPECT_TRUE(gamecheck::hasErrors(checked.report.findings));
        return;
    }
    EXPECT_EQ(check.arenasParsed, server.arenasParsed);
    EXPECT_EQ(check.notDefined, server.notDefined);
    EXPECT_EQ(check.cannotFind, server.cannotFind);
    EXPECT_EQ(check.outOfDate, server.outOfDate);
    EXPECT_EQ(check.botsWithoutNavigation, server.botsWithoutNavigation);
    if (!server.loaderWarnings.isEmpty()) {
        EXPECT_TRUE(gamecheck::hasErrors(checked.report.findings)) << server.loaderWarnings.join(" | ").toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(, FolderRealGame, testing::ValuesIn(folderCases()),
                         [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });

TEST(PakOrder, SortsNamesAsTheGameDoes)
{
    // Each pair in the order the game loads them, the later one winning.
    const std::pair<const char*, const char*> ordered[] = {
        {"mymap-v2.pk3", "mymap.pk3"},  // '-' before '.'
        {"mymap.pk3", "mymap2.pk3"},    // the end of a name before a digit
        {"mymap2.pk3", "mymapb.pk3"},   // digits before letters
        {"MYMAPA.pk3", "mymapb.pk3"},   // letters in any case as capitals
        {"mymapZ.pk3", "mymap_v2.pk3"}, // '_' after every letter
        {"pak1.pk3", "pak10.pk3"},
        {"z\xc3\xa9.pk3", "z.pk3"},     // bytes from 0x80 up before all, as signed characters
        {"a\\.pk3", "a].pk3"},          // '\\' as '/'
    };
    for (const auto& [first, second] : ordered) {
        EXPECT_LT(game::comparePakNames(first, second), 0) << first << " " << second;
        EXPECT_GT(game::comparePakNames(second, first), 0) << second << " " << first;
    }
    EXPECT_EQ(game::comparePakNames("Map.PK3", "map.pk3"), 0);
    EXPECT_EQ(game::comparePakNames("a:b.pk3", "a/b.pk3"), 0);
}

TEST(MapChecksum, IsTheGamesFoldedMd4)
{
    const std::pair<QByteArray, std::int32_t> known[] = {
        {"", -1737972033}, // the game pads empty input twice, as its server shows for an empty pk3
        {"abc", 1570836014},
        {smallestBsp(), -486250620},
    };
    for (const auto& [bytes, checksum] : known) {
        game::MapChecksum whole, pieces;
        whole.add(bytes.constData(), std::size_t(bytes.size()));
        for (qsizetype at = 0; at < bytes.size(); at += 7)
            pieces.add(bytes.constData() + at, std::size_t(std::min<qsizetype>(7, bytes.size() - at)));
        EXPECT_EQ(std::int32_t(whole.value()), checksum) << bytes.toStdString();
        EXPECT_EQ(pieces.value(), whole.value());
    }
}

} // namespace

TEST(MapChecksum, IsRememberedOnlyWhileTheFileIsUnchanged)
{
    const QTemporaryDir folder;
    const QString cachePath = folder.filePath("cache/map-checksums");
    const auto staleFindings = [&] {
        platform::ChecksumCache checksums(cachePath);
        const gamecheck::FolderCheckResult result = gamecheck::checkFolder(folder.path(), {}, &checksums);
        EXPECT_TRUE(checksums.save());
        return std::count_if(result.report.findings.begin(), result.report.findings.end(),
                             [](const gamecheck::Finding& finding) { return finding.sentence.contains("out of date"); });
    };
    // Version 4 keeps the checksum in clear.
    const auto writeMap = [&](const QByteArray& version) {
        game::MapChecksum checksum;
        const QByteArray bsp = smallestBsp(version);
        checksum.add(bsp.constData(), std::size_t(bsp.size()));
        QByteArray aas = "EAAS" + QByteArray("\x04\0\0\0", 4) + QByteArray(116, '\0');
        for (int i = 0; i < 4; ++i)
            aas[8 + i] = char(checksum.value() >> (8 * i));
        writeArchive(folder.filePath("yard.pk3"), {{"maps/yard.bsp", bsp}, {"maps/yard.aas", aas}});
    };
    writeMap("one");
    EXPECT_EQ(staleFindings(), 0);
    EXPECT_EQ(staleFindings(), 0);
    // The checksum and the entities' bytes for each allocator, remembered once.
    EXPECT_EQ(readAll(cachePath).count('\n'), 3);
    // The same archive with the map's new build and the old navigation file.
    const QByteArray aasOfOne = run("unzip", {"-p", folder.filePath("yard.pk3"), "maps/yard.aas"});
    writeArchive(folder.filePath("yard.pk3"), {{"maps/yard.bsp", smallestBsp("two")}, {"maps/yard.aas", aasOfOne}});
    EXPECT_EQ(staleFindings(), 1);
    EXPECT_EQ(readAll(cachePath).count('\n'), 6);
}

TEST(FolderCheckAtCreate, ANewArchiveThatSortsBeforeAnOlderPackOfItsMapIsAdvisedSo)
{
    const QTemporaryDir folder;
    writeArchive(folder.filePath("yard.pk3"), {{"maps/yard.bsp", smallestBsp()}});
    const QString newArchive = folder.filePath("yard-v2.pk3");
    writeArchive(newArchive, {{"maps/yard.bsp", smallestBsp("v2")}});
    const gamecheck::CheckResult added =
        gamecheck::checkArenaToAdd("{\nmap \"yard\"\n}\n", newArchive, "scripts/yard.arena");
    const auto shadowed = std::find_if(added.findings.begin(), added.findings.end(), [](const gamecheck::Finding& finding) {
        return finding.entry == "maps/yard.bsp" && finding.sentence.startsWith("yard.pk3, which sorts after this archive");
    });
    ASSERT_NE(shadowed, added.findings.end());
    EXPECT_EQ(shadowed->severity, Severity::Advice) << "the new archive is the newest of its map by definition";
    // The same two archives checked as they lie: the older pack wins over the newer release.
    const std::vector<gamecheck::CheckResult> lying = gamecheck::checkFiles({QFile::encodeName(newArchive)});
    EXPECT_TRUE(std::any_of(lying.front().findings.begin(), lying.front().findings.end(), [](const gamecheck::Finding& finding) {
        return finding.entry == "maps/yard.bsp" && finding.severity == Severity::Error;
    }));
}

TEST(FolderCheck, ALooseArenaFileTheUserMayNotOpenIsReported)
{
    const QTemporaryDir folder;
    writeArchive(folder.filePath("yard.pk3"), {{"maps/yard.bsp", smallestBsp()}});
    QDir().mkpath(folder.filePath("scripts"));
    writeFile(folder.filePath("scripts/yard.arena"), "{\nmap \"yard\"\n}\n");
    // Another user's file of mode 600, or one's own of mode 000.
    QFile::setPermissions(folder.filePath("scripts/yard.arena"), {});
    for (const QString& path : {folder.path(), folder.filePath("scripts")})
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                        | QFile::ExeOther);
    const int refused = asOrdinaryUser([&] {
        const gamecheck::Findings findings = gamecheck::checkFolder(folder.path()).report.findings;
        return int(std::count_if(findings.begin(), findings.end(), [&](const gamecheck::Finding& finding) {
            return finding.file.endsWith("scripts/yard.arena") && finding.sentence.contains("Permission denied");
        }));
    });
    EXPECT_EQ(refused, 1);
}
