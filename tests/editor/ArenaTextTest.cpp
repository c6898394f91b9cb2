#include "editor/ArenaFile.h"
#include "editor/ArenaText.h"
#include "editor/SpaceTrim.h"
#include "editor/Typelist.h"
#include "support/Files.h"
#include "support/QtPrinting.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace editor;

TEST(ArenaText, MatchesTheGamesLayoutByteForByte)
{
    EXPECT_EQ(arenaText({"q3dm17", "", "The Longest Yard", "20", "ffa team"}),
              QByteArray("{\r\n"
                         "map             \"q3dm17\"\r\n"
                         "bots            \"\"\r\n"
                         "longname        \"The Longest Yard\"\r\n"
                         "fraglimit       \"20\"\r\n"
                         "type            \"ffa team\"\r\n"
                         "}\r\n"));
    // Verbatim, quotes and edge spaces kept, in Windows-1252 with "?" for
    // what it lacks.
    EXPECT_TRUE(arenaText({"m", "", QStringLiteral(" Say \"caf\u00e9\" \u20ac \u4e2d\U0001F600 "), "", "ctf"})
                    .contains("\r\nlongname        \" Say \"caf\xE9\" \x80 ?? \"\r\n"));
}

TEST(Typelist, FollowsIndexOrderWithSingleSpacesAndTrimsOnlySpaces)
{
    EXPECT_EQ(buildTypelist({1, 1, 1, 1, 1}), "ffa ctf single team tourney");
    EXPECT_EQ(buildTypelist({0, 1, 0, 0, 1}), "ctf tourney");
    EXPECT_EQ(buildTypelist({2, 0, 2, 0, 0}), "") << "a greyed box does not count";
    EXPECT_EQ(trimSpaces("  a b "), "a b");
    EXPECT_EQ(trimSpaces("\tname\n"), "\tname\n") << "tabs and line breaks are part of a value";
}

TEST(ArenaFile, AFailedWriteLeavesTheEarlierFileAsItWas)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("map.arena");
    testing_support::writeFile(path, "old!");

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
    EXPECT_EQ(testing_support::readAll(path), QByteArray("old!"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"map.arena"});
}
