// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ArenaText.h"
#include "support/Archives.h"
#include "support/MainWindowUser.h"
#include "support/TempSettings.h"

namespace {

using Answer = platform::ReportWindow::Answer;

// The main window with the real archiver beside the program, and a folder
// of the user's to write into.
class GameCheckAtCreate : public MainWindowUser {
protected:
    QTemporaryDir temp;
    QString maps = temp.filePath("maps");

    void SetUp() override
    {
        const QString programFolder = temp.filePath("program");
        ASSERT_TRUE(QDir().mkpath(programFolder) && QDir().mkpath(maps));
        ASSERT_TRUE(QFile::link(QStandardPaths::findExecutable("zip"), QDir(programFolder).filePath("zip")));
        openWindow({programFolder, temp.filePath("drive-c")});
        tickGameType(0);
    }
    const std::vector<ScriptedReportWindow::Shown>& shown() const { return scripted.report->shown; }
};

// The places the report window was given, serious ones marked with "!".
QStringList placesOf(const ScriptedReportWindow::Shown& window)
{
    QStringList places;
    for (const platform::ReportLine& line : window.lines)
        places << (line.serious ? "!" : "") + line.place;
    return places;
}

} // namespace

TEST_F(GameCheckAtCreate, WhatTheGameWouldLoseIsAskedAboutBeforeAnythingIsWrittenAndOnlyThat)
{
    struct Case {
        const char* route;
        QString title;
        QStringList archiveEntries; // empty: no archive there before
        std::optional<Answer> answer; // no answer: no question expected
        QStringList expectedPlaces;
    };
    const Case cases[] = {
        // The empty frag limit and bots, and the missing levelshot, are advice:
        // Create goes on as it always has, with no extra window.
        {"aArena", "Yard", {}, {}, {}},
        {"aPk3", "Yard", {"maps/yard.bsp"}, {}, {}},
        {"aArena", "Yard; by night", {}, Answer::GoBack, {"!yard.arena, longname"}},
        {"aArena", "Yard; by night", {}, Answer::WriteAnyway, {"!yard.arena, longname"}},
        // The list replaces the game's own, and is no list of arenas.
        {"aPk3", "Yard", {"maps/yard.bsp", "scripts/arenas.txt"}, Answer::GoBack,
         {"!yard.pk3:scripts/arenas.txt", "!yard.pk3:scripts/arenas.txt"}},
        {"aPk3", "Yard", {"maps/yard.bsp", "scripts/arenas.txt"}, Answer::WriteAnyway,
         {"!yard.pk3:scripts/arenas.txt", "!yard.pk3:scripts/arenas.txt"}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(row.route, row.title, row.archiveEntries.join(' ')).toStdString());
        const bool toArchive = QByteArray(row.route) == "aPk3";
        const QString path = QDir(maps).filePath(toArchive ? "yard.pk3" : "yard.arena");
        QFile::remove(path);
        platform::SettingsStore().write("Mapwright", "Filenames", toArchive ? "Pk3" : ".Arena", "before");
        if (!row.archiveEntries.isEmpty())
            makeArchive(path, row.archiveEntries);
        const QByteArray before = readAll(path);
        scripted.report->shown.clear();
        if (row.answer)
            scripted.report->answers << *row.answer;

        setFields(row.title, "yard");
        choose(row.route);
        create(path);

        ASSERT_EQ(shown().size(), row.answer ? 1u : 0u);
        const bool written = !row.answer || *row.answer == Answer::WriteAnyway;
        if (row.answer) {
            EXPECT_EQ(placesOf(shown().front()), row.expectedPlaces);
        }
        EXPECT_EQ(find("longname")->text(), row.title) << "going back leaves the fields as they were";
        EXPECT_EQ(TempSettings::remembered(toArchive ? "Pk3" : ".Arena"), written ? path : "before");
        const QByteArray expected = written ? editor::arenaText({"yard", "", row.title, "10", "ffa"}) : before;
        EXPECT_EQ(toArchive && written ? run("unzip", {"-p", path, "scripts/yard.arena"}) : readAll(path), expected)
            << "Go back writes nothing; Write anyway writes what Create always wrote";
    }
}

TEST_F(GameCheckAtCreate, TheFileMenuReportsOnAnyArchiveOrArenaFile)
{
    const auto check = [this](const QString& path) {
        scripted.report->shown.clear();
        scripted.openDialog->answers = path.isNull() ? QStringList() : QStringList{path};
        find<QAction>("checkmenu")->trigger();
    };
    check(QString());
    EXPECT_TRUE(shown().empty()) << "Cancel shows nothing";

    const QString archive = QDir(maps).filePath("yard.pk3");
    makeArchive(archive, {"maps/yard.bsp", "scripts/yard.arena", "scripts/bots.txt", "vm/\x1b[1Ax\nyard.qvm"});
    check(archive);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_FALSE(shown().front().asked);
    EXPECT_TRUE(shown().front().heading.startsWith("The game will drop, hide or misread something in"))
        << shown().front().heading.toStdString();
    const QStringList places = placesOf(shown().front());
    ASSERT_FALSE(places.isEmpty());
    EXPECT_TRUE(places.contains("!yard.pk3:scripts/bots.txt")) << places.join(" | ").toStdString();
    EXPECT_TRUE(places.contains("!yard.pk3:\"vm/\\033[1Ax\\nyard.qvm\"")) << places.join(" | ").toStdString();
    EXPECT_TRUE(std::is_partitioned(places.begin(), places.end(), [](const QString& place) { return place.startsWith('!'); }))
        << "errors come first";

    const QString arena = QDir(maps).filePath("yard.arena");
    writeFile(arena, "{\r\nmap \"yard\"\r\nlongname \"Yard\"\r\nfraglimit \"20\"\r\ntype \"ffa\"\r\n}\r\n");
    check(arena);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown().front().heading, QStringLiteral("The game will read %1 as it is: nothing was found.").arg(arena));

    const QString notAZip = QDir(maps).filePath("notazip.pk3");
    writeFile(notAZip, "not an archive");
    for (const QString& path : {QDir(maps).filePath("missing.pk3"), notAZip}) {
        check(path);
        EXPECT_TRUE(shown().empty());
        ASSERT_FALSE(prompts().isEmpty());
        EXPECT_TRUE(prompts().last().startsWith(path + " could not be checked.\n\n")) << prompts().last().toStdString();
    }
}

TEST_F(GameCheckAtCreate, BothRoutesJudgeTheNewArenaAmongThePk3sOfItsGameFolder)
{
    const QByteArray otherYard = editor::arenaText({"yard", "", "Old yard", "5", "ffa"});
    struct Case {
        const char* route;
        const char* neighbour;
        std::vector<TestEntry> entries;
        QStringList expectedPlaces; // empty: no question asked
    };
    const Case cases[] = {
        {"aPk3", "zmaps.pk3", {{"maps/yard.bsp", smallestBsp()}}, {}},
        // A pk3 that sorts before the new one only doubles its own arena.
        {"aPk3", "a.pk3", {{"maps/yard.bsp", smallestBsp()}, {"scripts/old.arena", otherYard}}, {}},
        {"aPk3", "zz.pk3", {{"maps/yard.bsp", smallestBsp()}, {"Scripts/YARD.arena", otherYard}}, {"!yard.pk3:scripts/yard.arena"}},
        {"aPk3", "zz.pk3", {{"maps/yard.bsp", smallestBsp()}, {"scripts/old.arena", otherYard}},
         {"!yard.pk3:scripts/yard.arena, map"}},
        {"aArena", "zz.pk3", {{"maps/yard.bsp", smallestBsp()}, {"scripts/yard.arena", otherYard}}, {"!yard.arena"}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(QStringLiteral("%1 beside %2").arg(row.route, row.neighbour).toStdString());
        const QTemporaryDir game;
        ASSERT_TRUE(QDir(game.path()).mkdir("scripts"));
        writeArchive(QDir(game.path()).filePath(row.neighbour), row.entries);
        const bool toArchive = QByteArray(row.route) == "aPk3";
        const QString path = QDir(game.path()).filePath(toArchive ? "yard.pk3" : "scripts/yard.arena");
        scripted.report->shown.clear();
        if (!row.expectedPlaces.isEmpty())
            scripted.report->answers << Answer::GoBack;

        setFields("Yard", "yard");
        choose(row.route);
        create(path);

        ASSERT_EQ(shown().size(), row.expectedPlaces.isEmpty() ? 0u : 1u);
        if (!row.expectedPlaces.isEmpty()) {
            EXPECT_EQ(placesOf(shown().front()), row.expectedPlaces);
        }
        EXPECT_EQ(QFileInfo::exists(path), row.expectedPlaces.isEmpty()) << "Go back writes nothing";
    }
}

TEST_F(GameCheckAtCreate, TheFileMenuChecksAGameFolderWithItsSummaryFirst)
{
    const auto check = [this](const QString& path) {
        scripted.report->shown.clear();
        scripted.openDialog->answers = path.isNull() ? QStringList() : QStringList{path};
        find<QAction>("checkfoldermenu")->trigger();
    };
    check(QString());
    EXPECT_TRUE(shown().empty()) << "Cancel shows nothing";

    writeArchive(QDir(maps).filePath("zmaps.pk3"), {{"maps/yard.bsp", smallestBsp()}});
    writeArchive(QDir(maps).filePath("arenas.pk3"), {{"scripts/yard.arena", editor::arenaText({"yard", "", "Yard", "", "ffa"})},
                                                     {"scripts/gone.arena", editor::arenaText({"gone", "", "Gone", "", "ffa"})}});
    check(maps);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_FALSE(shown().front().asked);
    EXPECT_TRUE(shown().front().heading.startsWith(
        QStringLiteral("Quake 3 Arena reads %1 (2 pk3s); the menus will list 2 maps, out of 2 arenas; the 1.32 menus 2, "
                       "ioquake3's built-in menus 2, the server 2. The game will drop, hide or misread something in %1: "
                       "1 error,")
            .arg(maps)))
        << shown().front().heading.toStdString();
    EXPECT_EQ(placesOf(shown().front()).filter("!"), QStringList{"!arenas.pk3:scripts/gone.arena, map"});

    check(QDir(maps).filePath("missing"));
    EXPECT_TRUE(shown().empty());
    ASSERT_FALSE(prompts().isEmpty());
    EXPECT_TRUE(prompts().last().endsWith("could not be checked.\n\nNo such folder")) << prompts().last().toStdString();
}
