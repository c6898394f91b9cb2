// SPDX-License-Identifier: GPL-3.0-or-later
// The game's own dedicated server as the judge of the loader's rules: it
// loads each row's arena or archive, and must complain exactly where the
// check reports an error.
#include "gamecheck/GameCheckCases.h"
#include "support/RealGame.h"

#include <iostream>

namespace {

class RealGame : public testing::TestWithParam<CheckCase> {};

TEST_P(RealGame, ComplainsExactlyWhereTheCheckFindsAnError)
{
    const CheckCase& row = GetParam();
    const QTemporaryDir rowFolder;
    gamecheck::Findings findings;
    QString path;
    if (row.route == Route::Save) {
        findings = gamecheck::checkArenaToSave(row.arena, QStringLiteral("judged.arena"));
    } else {
        path = buildCaseFile(row, rowFolder.path());
        findings = gamecheck::checkFile(path).findings;
    }
    const LoaderVerdict verdict = judgeWithTheGame([&](const QString& game) {
        if (path.isEmpty())
            writeArchive(game + "/judged.pk3", {{"scripts/judged.arena", row.arena}});
        else
            QFile::copy(path, game + "/judged.pk3");
    });
    if (!verdict.ran)
        GTEST_SKIP() << "the game's dedicated server (ioquake3-server) is not installed";
    for (const QString& warning : verdict.warnings)
        std::cout << "[" << row.name << "] " << warning.toStdString() << '\n';
    if (verdict.crashed) {
        EXPECT_TRUE(std::any_of(findings.begin(), findings.end(), [](const gamecheck::Finding& finding) {
            return finding.sentence.contains(QStringLiteral("a server that loads this pk3 crashes"));
        })) << "the server crashed";
    } else {
        ASSERT_GE(verdict.arenasParsed, 0) << "the server never loaded the arenas";
    }

    const bool complained = verdict.crashed || !verdict.warnings.isEmpty() || verdict.arenasParsed < row.arenasHeld;
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
