#include "editor/ArenaFile.h"
#include "editor/ArenaText.h"
#include "editor/SpaceTrim.h"
#include "editor/Typelist.h"
#include "editor/Windows1252.h"
#include "support/Files.h"
#include "support/QtPrinting.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace editor;

using testing_support::readAll;
using testing_support::writeFile;

TEST(ArenaText, MatchesTheGamesLayoutByteForByte)
{
    const ArenaValues values{"q3dm17", "", "The Longest Yard", "20", "ffa team"};
    EXPECT_EQ(arenaText(values), QByteArray("{\r\n"
                                            "map             \"q3dm17\"\r\n"
                                            "bots            \"\"\r\n"
                                            "longname        \"The Longest Yard\"\r\n"
                                            "fraglimit       \"20\"\r\n"
                                            "type            \"ffa team\"\r\n"
                                            "}\r\n"));
}

TEST(ArenaText, WritesValuesVerbatimInWindows1252)
{
    const ArenaValues values{"dm1", "Sarge Sarge", "  Say \"hi\"  ", "", "ctf"};
    const QByteArray text = arenaText(values);
    EXPECT_TRUE(text.contains("\r\nlongname        \"  Say \"hi\"  \"\r\n"));
    EXPECT_TRUE(text.contains("\r\nfraglimit       \"\"\r\n"));
    EXPECT_TRUE(text.contains("\r\nbots            \"Sarge Sarge\"\r\n"));
    EXPECT_TRUE(text.endsWith("}\r\n"));
    EXPECT_EQ(text.count("\r\n"), 7);
    EXPECT_FALSE(text.contains("\n\n"));

    // Windows-1252, with "?" for what it lacks.
    const ArenaValues accented{"map", "", QStringLiteral("Caf\u00e9 \u20ac \u2019 \u4e2d \U0001F600"), "", "ffa"};
    EXPECT_TRUE(arenaText(accented).contains("\"Caf\xE9 \x80 \x92 ? ?\""));
    EXPECT_EQ(toWindows1252(QStringLiteral("\u00ff\u0081\u0178")), QByteArray("\xFF?\x9F"));
}

TEST(Typelist, FollowsIndexOrderWithSingleSpacesAndTrimsOnlySpaces)
{
    EXPECT_EQ(buildTypelist({1, 1, 1, 1, 1}), "ffa ctf single team tourney");
    EXPECT_EQ(buildTypelist({0, 1, 0, 0, 1}), "ctf tourney");
    EXPECT_EQ(buildTypelist({0, 0, 0, 0, 1}), "tourney");
    EXPECT_EQ(buildTypelist({0, 0, 0, 0, 0}), "");
    // A greyed box does not count.
    EXPECT_EQ(buildTypelist({2, 1, 2, 0, 0}), "ctf");

    // Trimming takes spaces only: tabs and line breaks are part of a value.
    EXPECT_EQ(trimSpaces("  q3dm17 "), "q3dm17");
    EXPECT_EQ(trimSpaces("   "), "");
    EXPECT_EQ(trimSpaces("\tname\n"), "\tname\n");
    EXPECT_EQ(trimSpaces(" a b "), "a b");
}

TEST(ArenaFile, ReplacesALongerFileWhole)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("map.arena");
    writeFile(path, QByteArray(4096, 'x'));
    const ArenaValues values{"q3dm17", "", "Yard", "20", "ffa"};

    const FileWriteResult result = writeArenaFile(path, values);

    EXPECT_TRUE(result.written) << result.reason.toStdString();
    EXPECT_EQ(readAll(path), arenaText(values));
}

TEST(ArenaFile, ReportsAMissingFolderOrAFolderInTheWay)
{
    QTemporaryDir folder;
    const ArenaValues values{"m", "", "t", "", "ffa"};

    const FileWriteResult missing = writeArenaFile(folder.filePath("absent/map.arena"), values);
    EXPECT_FALSE(missing.written);
    EXPECT_FALSE(missing.reason.isEmpty());

    const FileWriteResult onFolder = writeArenaFile(folder.path(), values);
    EXPECT_FALSE(onFolder.written);
    EXPECT_FALSE(onFolder.reason.isEmpty());
}

TEST(ArenaFile, AFailedWriteLeavesTheEarlierFileAsItWas)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("map.arena");
    writeFile(path, "old!");

    // A file-size limit makes the write fail part-way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const FileWriteResult result = writeArenaFile(path, {"q3dm17", "", "The Longest Yard", "20", "ffa"});
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(result.written);
    EXPECT_FALSE(result.reason.isEmpty());
    EXPECT_EQ(readAll(path), QByteArray("old!"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"map.arena"});
}
