#include "editor/ArenaText.h"
#include "editor/Typelist.h"
#include "support/Testing.h"

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

TEST(Typelist, FollowsIndexOrderWithSingleSpaces)
{
    EXPECT_EQ(buildTypelist({1, 1, 1, 1, 1}), "ffa ctf single team tourney");
    EXPECT_EQ(buildTypelist({0, 1, 0, 0, 1}), "ctf tourney");
    EXPECT_EQ(buildTypelist({2, 0, 2, 0, 0}), "") << "a greyed box does not count";
}
