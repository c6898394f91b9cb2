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
        {"aPk3", "Yard", {"maps/yard.bsp", "scripts/arenas.txt"}, Answer::GoBack, {"!yard.pk3:scripts/arenas.txt"}},
        {"aPk3", "Yard", {"maps/yard.bsp", "scripts/arenas.txt"}, Answer::WriteAnyway,
         {"!yard.pk3:scripts/arenas.txt"}},
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
