// SPDX-License-Identifier: GPL-3.0-or-later
// The folder's limits at their edges, the last value that passes and the
// first that fails: a map's entities as the server's game module keeps
// them, each loader's list of names, the pk3s a release lists; and what
// the summary counts.
#include "game/GameFolder.h"
#include "game/MapEntities.h"
#include "gamecheck/GameCheck.h"
#include "platform/system/FolderFiles.h"
#include "support/RealGame.h"

namespace {

// The server's own allocations for a map's entities, by its g_debugAlloc
// lines before its bots load; nothing where its game module stops.
std::optional<std::uint64_t> serverEntityBytes(const QByteArray& bsp)
{
    const QTemporaryDir root, home;
    const QString game = root.filePath("judgegame");
    QDir().mkpath(game);
    writeFile(game + "/default.cfg", "set dedicated 1\n");
    QFile::link(realGameModule, game + "/qagamex86_64.so");
    writeArchive(game + "/ent.pk3", {{"maps/ent.bsp", bsp}});
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(realGameServer, {"+set", "com_basegame", "judgegame", "+set", "fs_basepath", root.path(), "+set",
                                   "fs_homepath", home.path(), "+set", "vm_game", "0", "+set", "dedicated", "1", "+set",
                                   "net_enabled", "0", "+set", "g_debugAlloc", "1", "+map", "ent", "+quit"});
    process.waitForFinished(20000);
    static const QRegularExpression allocation("^G_Alloc of (\\d+) bytes");
    std::uint64_t bytes = 0;
    for (const QString& line : QString::fromLatin1(process.readAll()).split('\n')) {
        if (line.startsWith("ERROR:"))
            return std::nullopt;
        if (line.contains("bots parsed"))
            return bytes;
        if (const QRegularExpressionMatch match = allocation.match(line); match.hasMatch())
            bytes += (match.captured(1).toULongLong() + 31) & ~31ULL;
    }
    return std::nullopt;
}

QByteArray pairs(int count, const QByteArray& value = "v")
{
    return QByteArray("k \"" + value + "\" ").repeated(count);
}

} // namespace

TEST(MapEntities, TakeThePoolBytesTheServerTakes)
{
    if (!QFileInfo::exists(realGameServer) || !QFileInfo::exists(realGameModule))
        GTEST_SKIP() << "the game's dedicated server (ioquake3-server) is not installed";
    const QByteArray world = "{ \"classname\" \"worldspawn\" \"message\" \"the worldspawn's own\" }\n";
    const QByteArray entities[] = {
        // Kept keys in any case; others not.
        world + "{ \"CLASSNAME\" \"info_null\" \"Target\" \"t\" \"origin\" \"0 0 0\" \"foo\" \"bar\" }",
        // A value and its NUL in 32 bytes, and in 33.
        world + "{ \"message\" \"" + QByteArray(31, 'm') + "\" \"team\" \"" + QByteArray(32, 't') + "\" }",
        // Comments between tokens, words without quotes, a byte from 0x80 up as white space.
        world + "// a comment\n{ /* another */ model\x80m targetname\xfft }",
        // A NUL ends a quoted token, and the tokenizer goes on past it.
        world + QByteArray("{ \"message\" \"a\0\" \"b\" }", 22),
        // No closing brace; an opening brace missing.
        world + "{ \"classname\" \"info_null\"", world + "\"classname\" \"info_null\" }",
        // 64 pairs in an entity, and 65.
        world + "{ " + pairs(64) + "}", world + "{ " + pairs(65) + "}",
        // Its keys and values in 4,096 bytes, their NULs included, and in 4,097.
        world + "{ " + pairs(4, QByteArray(1020, 'v')) + "k \"v\" }",
        world + "{ " + pairs(4, QByteArray(1020, 'v')) + "k \"vv\" }",
    };
    for (const QByteArray& text : entities) {
        const QByteArray bsp = bspWithEntities(text);
        game::MapEntities read;
        read.add(bsp.constData(), std::size_t(bsp.size()));
        EXPECT_EQ(read.poolBytes(false), serverEntityBytes(bsp)) << text.toStdString();
    }
}

TEST(FolderLimits, EachListOfNamesEndsAtItsLastByte)
{
    // Names of 100 bytes, each with its NUL, then the longest that fits,
    // with its NUL and the list's own, or one byte longer: the list ends
    // before that one.
    struct Edge {
        const game::Game* game;
        qsizetype bytes;
        QStringList loaders; // those with that many bytes of names
    };
    const Edge edges[] = {
        {&game::quake3(), 1024, {"the server", "ioquake3's default menus", "the 1.32 menus"}},
        {&game::quake3(), 4096, {"ioquake3's built-in menus"}},
        {&game::openArena(), 20 * 1024, {"the menus"}},
    };
    for (const Edge& edge : edges) {
        const int before = int((edge.bytes - 3 - 119 + 100) / 101);
        for (const qsizetype longer : {0, 1}) {
            std::vector<TestEntry> files;
            for (int n = 0; n < before; ++n)
                files.push_back({"scripts/" + QByteArray::number(n).rightJustified(94, 'n') + ".arena", "{ x y }\n"});
            const qsizetype last = edge.bytes - 3 - 101 * before + longer;
            files.push_back({"scripts/" + QByteArray(last - 6, 'l') + ".arena", "{ x y }\n"});
            const QTemporaryDir folder;
            writeArchive(folder.filePath("names.pk3"), files);
            const game::GameFolder opened =
                game::GameFolder::open(game::SearchPath::ofFolders({folder.path()}, *edge.game));
            for (const gamecheck::LoaderCount& count : gamecheck::checkGameFolder(opened).summary.loaders) {
                if (edge.loaders.contains(count.loader)) {
                    EXPECT_EQ(count.arenas, before + 1 - longer) << count.loader.toStdString() << " " << last;
                }
            }
        }
    }
}

TEST(FolderLimits, PakFilesPastWhatAReleaseListsAreNamed)
{
    // id's 1.32 release takes the first 1,024 pk3 files its file system
    // lists; every engine, the first 4,095. Links to one small pk3.
    const QTemporaryDir folder;
    writeArchive(folder.filePath("source.zip"), {{"maps/a.bsp", smallestBsp()}});
    const auto countAfter = [&](int paks, const char* words) {
        for (int n = int(platform::listFolder(QFile::encodeName(folder.path()))->size()) - 1; n < paks; ++n)
            QFile::link(folder.filePath("source.zip"), folder.filePath(QStringLiteral("p%1.pk3").arg(n)));
        const gamecheck::Findings findings = gamecheck::checkFolder(folder.path()).report.findings;
        return std::count_if(findings.begin(), findings.end(),
                             [&](const gamecheck::Finding& finding) { return finding.sentence.contains(words); });
    };
    const char* past132 = "id's 1.32 release never reads this pk3";
    const char* pastAll = "more than 4,095 pk3 files";
    EXPECT_EQ(countAfter(1024, past132), 0);
    EXPECT_EQ(countAfter(1025, past132), 1);
    EXPECT_EQ(countAfter(4095, pastAll), 0);
    EXPECT_EQ(countAfter(4096, pastAll), 1);
    EXPECT_EQ(countAfter(4096, past132), 4095 - 1024);
}

TEST(FolderLimits, Quake3eListsAFoldersLooseFilesByTheirBytes)
{
    const QTemporaryDir folder;
    QDir().mkpath(folder.filePath("scripts"));
    // Bytes, unlike pk3 names: 'C' before '_' and '_' before 'a'.
    for (const char* name : {"b.arena", "C.arena", "_.arena", "a.arena", "\xc3\xa9.arena", "0.arena"})
        writeFile(folder.filePath("scripts/") + QString::fromUtf8(name), "{ x y }\n");
    const game::GameFolder opened = game::GameFolder::open(game::SearchPath::ofFolders({folder.path()}));
    EXPECT_EQ(opened.listFiles("scripts", ".arena", game::Engine::Quake3e),
              QByteArrayList({"0.arena", "C.arena", "_.arena", "a.arena", "b.arena", "\xc3\xa9.arena"}));
    // The others as the file system lists them.
    QByteArrayList listed;
    const std::vector<platform::FolderItem> items =
        *platform::listFolder(QFile::encodeName(folder.filePath("scripts")));
    for (const platform::FolderItem& item : items)
        listed << item.name;
    EXPECT_EQ(opened.listFiles("scripts", ".arena", game::Engine::Ioquake3), listed);
}

TEST(FolderSummary, CountsTheArenasTheGameReadsAndTheCopiesItDoesNot)
{
    // b.pk3's copy replaces a.pk3's of three arenas; c.pk3 holds one more of its own.
    const QTemporaryDir folder;
    const QByteArray arena = "{ map yard longname Yard type ffa }\n";
    writeArchive(folder.filePath("a.pk3"), {{"scripts/yard.arena", arena.repeated(3)}});
    writeArchive(folder.filePath("b.pk3"), {{"scripts/yard.arena", arena}});
    writeArchive(folder.filePath("c.pk3"), {{"scripts/court.arena", "{ map court longname Court type ffa }\n"}});
    const gamecheck::FolderSummary summary = gamecheck::checkFolder(folder.path()).report.summary;
    EXPECT_EQ(summary.arenasRead, 2);
    EXPECT_EQ(summary.arenasShadowed, 3);
    EXPECT_EQ(summary.server, 2);
    for (const gamecheck::LoaderCount& count : summary.loaders)
        EXPECT_LE(count.arenas, summary.arenasRead) << count.loader.toStdString();
    EXPECT_TRUE(gamecheck::summarySentence(summary).contains("out of 2 arenas (3 more in copies the game never "
                                                             "reads)"));
}
