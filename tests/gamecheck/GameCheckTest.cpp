// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/BotList.h"
#include "game/InfoFile.h"
#include "gamecheck/GameCheckCases.h"

#include <unistd.h>

namespace {

using gamecheck::CheckResult;
using gamecheck::Severity;

// The result of the row's route on the file built for it.
CheckResult runCheck(const CheckCase& row, const QString& path)
{
    switch (row.route) {
    case Route::Save:
        return {true, {}, gamecheck::checkArenaToSave(row.arena, path)};
    case Route::Add:
        return gamecheck::checkArenaToAdd(row.arena, path, "scripts/judge.arena");
    case Route::File:
        break;
    }
    return gamecheck::checkFile(path);
}

QString placeOf(Severity severity, const QString& entry, const QString& key)
{
    return QStringLiteral("%1 [%2] %3").arg(severity == Severity::Error ? "error" : "advice", entry, key);
}

class GameCheckTable : public testing::TestWithParam<CheckCase> {};

TEST_P(GameCheckTable, FindsWhatTheGameWillDo)
{
    const CheckCase& row = GetParam();
    if (row.tweak == Tweak::Unreadable && ::geteuid() == 0)
        GTEST_SKIP() << "root reads a file of mode 000";
    const QTemporaryDir folder;
    const QString path = buildCaseFile(row, folder.path());
    const CheckResult result = runCheck(row, path);

    ASSERT_EQ(result.readable, row.readable) << result.reason.toStdString();
    if (!row.readable) {
        EXPECT_TRUE(result.reason.startsWith(QString::fromUtf8(row.reason))) << result.reason.toStdString();
        EXPECT_TRUE(result.findings.empty());
        return;
    }
    QStringList found, expected, sentences;
    for (const gamecheck::Finding& finding : result.findings) {
        found << placeOf(finding.severity, finding.entry, finding.key);
        sentences << finding.sentence;
        EXPECT_EQ(finding.file, QFile::encodeName(path));
        EXPECT_TRUE(finding.sentence.endsWith('.')) << finding.sentence.toStdString();
    }
    for (const Expected& place : row.expected) {
        expected << placeOf(place.severity, QString::fromUtf8(place.entry), QString::fromUtf8(place.key));
        if (place.sentence) {
            const auto same = std::find_if(result.findings.begin(), result.findings.end(), [&](const auto& finding) {
                return finding.sentence == QString::fromUtf8(place.sentence);
            });
            EXPECT_NE(same, result.findings.end()) << place.sentence;
        }
    }
    found.sort();
    expected.sort();
    EXPECT_EQ(found, expected) << sentences.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(, GameCheckTable, testing::ValuesIn(checkCases()),
                         [](const testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

} // namespace

// The tokenizer reads bytes as signed characters: every byte up to the
// space, and every byte from 0x80 up, parts words; DEL does not.
TEST(InfoFileTokens, PartWordsWhereTheGameDoes)
{
    for (int byte = 1; byte < 256; ++byte) {
        const char c = char(byte);
        const bool parts = byte <= 0x20 || byte >= 0x80;
        const auto valueOf = [](const QByteArray& text) {
            const game::InfoReading reading = game::readInfoFile(text);
            return reading.blocks.empty() ? QByteArray() : game::findKey(reading.blocks[0], "k")->value.text;
        };
        EXPECT_EQ(valueOf("{ k a" + QByteArray(1, c) + "b }"), parts ? "a" : "a" + QByteArray(1, c) + "b") << byte;
        EXPECT_EQ(valueOf("{ k \"a" + QByteArray(1, c) + "b\" }"), byte == '"' ? "a" : "a" + QByteArray(1, c) + "b")
            << byte;
    }
    // A NUL ends the text outside quotes; inside, it ends only the token.
    const QByteArray nul(1, '\0');
    EXPECT_EQ(game::readInfoFile("{ k a" + nul + " }\n{ k c }").blocks.size(), 1u);
    const game::InfoReading quoted = game::readInfoFile("{ k \"a" + nul + " }\n{ k c }");
    ASSERT_EQ(quoted.blocks.size(), 2u);
    EXPECT_TRUE(quoted.blocks[0].pairs[0].value.endsAtNul);
    // A token keeps 1,023 bytes.
    for (const qsizetype length : {1023, 1024})
        EXPECT_EQ(game::readInfoFile("{ k \"" + QByteArray(length, 'x') + "\" }").blocks[0].pairs[0].value.text.size(), 1023);
}

// G_SpawnBots cuts a bot list at spaces, and the console cuts each piece
// again at any white space, line break or comment.
TEST(BotRequests, AreTheWordsTheConsoleReads)
{
    struct Row {
        QByteArray list;
        QByteArray name, skill;
        bool more;
    };
    const Row rows[] = {
        {"Sarge\tDoom", "Sarge", "Doom", true},   {"Sarge\x80" "Doom", "Sarge", "Doom", true},
        {"Sarge\x7f", "Sarge\x7f", "", false},    {"\tSarge", "Sarge", "", false},
        {"Sarge\nDoom", "Sarge", "", true},       {"Sarge//Doom", "Sarge", "", true},
        {"Sarge/*x*/Doom", "Sarge", "Doom", true}, {" ", "", "", false},
    };
    for (const Row& row : rows) {
        const std::vector<game::BotRequest> requests = game::botRequests(row.list);
        ASSERT_EQ(requests.size(), 1u) << row.list.toStdString();
        EXPECT_EQ(requests[0].name, row.name) << row.list.toStdString();
        EXPECT_EQ(requests[0].skill, row.skill) << row.list.toStdString();
        EXPECT_EQ(requests[0].more, row.more) << row.list.toStdString();
    }
    EXPECT_EQ(game::botRequests("Sarge  Grunt ").size(), 2u);
}
