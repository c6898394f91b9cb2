// SPDX-License-Identifier: GPL-3.0-or-later
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
        return gamecheck::checkArenaToAdd(row.arena, path, QStringLiteral("scripts/judge.arena"));
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
