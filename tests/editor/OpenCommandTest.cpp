// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ArenaFields.h"
#include "editor/ArenaText.h"
#include "editor/RecentFiles.h"
#include "editor/Typelist.h"
#include "support/MainWindowUser.h"
#include "support/RealGame.h"

#include <sys/stat.h>

namespace {

// What the game keeps of each block: its keys, as it stores them, with the
// value the last of each name gives them.
QList<QMap<QByteArray, QByteArray>> gameValues(const QByteArray& text)
{
    QList<QMap<QByteArray, QByteArray>> blocks;
    for (const game::InfoBlock& block : game::readInfoFile(text).blocks) {
        QMap<QByteArray, QByteArray>& values = blocks.emplace_back();
        for (const game::KeyValue& pair : block.pairs)
            values[pair.key.text.toLower()] = pair.value.text;
    }
    return blocks;
}

const QByteArray mapwrights = editor::arenaText({"yard", "Sarge Doom", "The Yard", "20", "ffa team"});

class OpenCommand : public MainWindowUser {
protected:
    QTemporaryDir folder;
    // The pk3 route stages in a folder of this test's own, apart from tests
    // that run beside it.
    void SetUp() override { openWindow({{}, folder.filePath("drive-c")}); }
    QString path(const char* name) const { return folder.filePath(name); }
    // File, Open on `file`, the chooser answered with `row` if it opens.
    void open(const QString& file, int row = -1)
    {
        scripted.openDialog->answers << file;
        scripted.chooser->answers = {row};
        find<QAction>("openmenu")->trigger();
    }
    QString status() const { return control<QLabel>(*window, "statusline")->text(); }
};

} // namespace

TEST(ArenaFields, ShowWhatTheBoxesTakeAndKeepTheRest)
{
    const QByteArray sixteen = QByteArray("Sarge ").repeated(16).trimmed();
    struct Row {
        const char* name;
        QByteArray block;
        QStringList fields; // title, frag limit, bots, the ticked boxes
        QString kept;
    };
    const Row rows[] = {
        {"MapwrightsOwn", mapwrights, {"The Yard", "20", "Sarge Doom", "ffa team"}, ""},
        {"TypeWordsInAnyCaseAndOthers", "{ map m type \"Tourney oneflag FFA\tsingle CTF Team ut_ctf\" }",
         {"", "", "", "ffa ctf single team tourney"}, "Kept as it is: type words oneflag ut_ctf"},
        {"FragLimitAtTheBoxsEdge", "{ map m fraglimit \"9.9\" }", {"", "9.9", "", ""}, ""},
        {"FragLimitTooLong", "{ map m fraglimit 1000 }", {"", "", "", ""}, "Kept as it is: fraglimit 1000"},
        {"SixteenKnownBotsInAnyCase", "{ map m bots \"" + sixteen.toLower() + "\" }",
         {"", "", QString::fromLatin1(sixteen.toLower()), ""}, ""},
        {"SeventeenBots", "{ map m bots \"" + sixteen + " Doom\" }", {"", "", "", ""},
         "Kept as it is: bots " + QString::fromLatin1(sixteen) + " Doom"},
        {"UnknownBot", "{ map m bots \"Sarge Nosuch\" }", {"", "", "", ""}, "Kept as it is: bots Sarge Nosuch"},
        {"OtherKeysInOrderAndTheLastOfAKey",
         "{ map m timelimit 15 longname \"A\" author \"\" LONGNAME \"B\" special \"x\x1by\" }", {"B", "", "", ""},
         "Kept as it is: timelimit 15, author \"\", special x\\033y"},
        {"AValueTheGameRefusesIsDropped", "{ map m longname \"A\" longname \"a;b\" }", {"A", "", "", ""}, ""},
    };
    for (const Row& row : rows) {
        const editor::ArenaFields fields = editor::arenaFields(game::readInfoFile(row.block).blocks.at(0));
        QStringList ticked;
        for (std::size_t index = 0; index < 5; ++index)
            ticked << (fields.types[index] ? editor::gameTypeTags[index] : "");
        ticked.removeAll("");
        EXPECT_EQ((QStringList{fields.longname, fields.fraglimit, fields.bots, ticked.join(' ')}), row.fields) << row.name;
        EXPECT_EQ(editor::keptLine(fields.kept), row.kept) << row.name;
    }
}

TEST(InfoFile, EachBlockKnowsItsBytes)
{
    // A '}' with more of a word after it is no end of a block for the game,
    // which takes the next '{' for a key.
    const QByteArray text = "// first\n{ map \"a\" }/**/ /* between */{\nmap b bots \"\"\n}\r\n\n{ map c } { map d longname \"open";
    const game::InfoReading reading = game::readInfoFile(text);
    QByteArrayList blocks;
    for (const game::InfoBlock& block : reading.blocks)
        blocks << text.mid(block.begin, block.end - block.begin);
    EXPECT_EQ(blocks, (QByteArrayList{"{ map \"a\" }/**/ /* between */{\nmap b bots \"\"\n}", "{ map c }",
                                      "{ map d longname \"open"}));
}

// Opening a file and pressing Create with nothing changed gives the file
// back with the same arena values; a file Mapwright wrote, byte for byte.
// The real zip and the game's own server judge the result.
TEST_F(OpenCommand, CreateWithNothingChangedWritesTheSameArenaBack)
{
    struct Row {
        const char* name;
        std::vector<TestEntry> files; // a nameless one is a loose file; else an archive's entries
        int chosen;                   // -1 when there is no chooser
        QByteArray expected;          // the arena file's new bytes; empty: the same arena values are enough
    };
    const QByteArray threeBlocks = "// three maps\n{ map a longname A type ffa }\n/* the second */\n"
                                   "{ map b longname B type team }\n{\n map c\n longname \"C\"\n fraglimit \"\"\n"
                                   " type CTF\n}\n// end\n";
    // Keys the arena lacked stay out; the type's words stay as they were.
    const QByteArray threeBlocksWritten = threeBlocks.left(threeBlocks.indexOf("{\n map c"))
                                          + "{\r\nmap             \"c\"\r\nlongname        \"C\"\r\n"
                                            "fraglimit       \"\"\r\ntype            \"CTF\"\r\n}\n// end\n";
    const QByteArray extraKeys = "{ map \"m\" longname \"M\" timelimit 15 type \"oneflag ffa Elimination\" "
                                 "bots \"Nosuch Sarge\" fraglimit 1000 capturelimit 8 }";
    const QByteArray bsp = smallestBsp();
    const Row rows[] = {
        {"MapwrightsOwn", {{"", mapwrights}}, -1, mapwrights},
        {"CommentsAndThreeBlocks", {{"", threeBlocks}}, 2, threeBlocksWritten},
        {"ExtraKeysAndUnknownTypeWords", {{"", extraKeys}}, -1, {}},
        {"ArchiveEntryNamedOtherThanItsMap", {{"maps/m.bsp", bsp}, {"SCRIPTS/Other.ARENA", extraKeys}}, -1, {}},
        {"ArchiveWithTwoArenaEntries",
         {{"maps/yard.bsp", bsp}, {"scripts/yard.arena", mapwrights}, {"scripts/three.arena", threeBlocks, ZIP_CM_STORE}},
         3, threeBlocksWritten},
    };
    scripted.report->answerToAll = platform::ReportWindow::Answer::WriteAnyway;
    for (const Row& row : rows) {
        const bool loose = row.files.front().name.isEmpty();
        const QString file = path(loose ? "judged.arena" : "judged.pk3");
        if (loose)
            writeFile(file, row.files.front().bytes);
        else
            writeArchive(file, row.files);
        const QString original = file + ".before";
        QFile::copy(file, original);
        open(file, row.chosen);
        const QByteArray entry = loose ? QByteArray() : row.files.back().name;
        create(file);
        EXPECT_EQ(prompts().size(), loose ? 0 : 1) << row.name << ": " << prompts().join(' ').toStdString();
        scripted.messages->prompts.clear();

        // Every other file of the archive as it was, the arena file with
        // the same values.
        const auto contentOf = [&](const QByteArray& name) {
            return loose ? readAll(file) : run("unzip", {"-p", file, QString::fromUtf8(name)});
        };
        QByteArrayList names;
        for (const TestEntry& other : row.files) {
            names << other.name;
            if (other.name != entry) {
                EXPECT_EQ(contentOf(other.name), other.bytes) << row.name << " " << other.name.toStdString();
            }
        }
        const QByteArray written = contentOf(entry);
        if (!row.expected.isEmpty()) {
            EXPECT_EQ(written, row.expected) << row.name;
        }
        EXPECT_EQ(gameValues(written), gameValues(row.files.back().bytes)) << row.name;
        if (!loose) {
            EXPECT_TRUE(run("unzip", {"-tq", file}).startsWith("No errors detected")) << row.name;
            EXPECT_EQ(run("unzip", {"-Z1", file}).trimmed().split('\n'), names) << row.name;
        }
        const auto judged = [&](const QString& judgedFile) {
            return judgeWithTheGame([&](const QString& game) {
                QDir(game).mkpath("scripts");
                QFile::copy(judgedFile, game + (loose ? "/scripts/judged.arena" : "/judged.pk3"));
            });
        };
        const LoaderVerdict before = judged(original), after = judged(file);
        EXPECT_EQ(after.arenasParsed, before.arenasParsed) << row.name;
        EXPECT_EQ(after.warnings, before.warnings) << row.name;
        QFile::remove(file);
        QFile::remove(original);
    }
}

TEST_F(OpenCommand, AChangedMapNameKeepsTheArenaWhereItWasUnlessItsEntryWasNamedAfterTheOldMap)
{
    const QString pack = path("rename.pk3");
    writeArchive(pack, {{"scripts/yard.arena", mapwrights}, {"scripts/both.arena", "{ map a }\n{ map b }\n"}});
    scripted.report->answerToAll = platform::ReportWindow::Answer::WriteAnyway;
    for (const auto& [row, entry] : {std::pair{0, "scripts/court.arena"}, std::pair{1, "scripts/both.arena"}}) {
        open(pack, row);
        find("filename")->setText("court");
        if (row == 1) {
            find("longname")->setText("B");
            tickGameType(0);
        }
        create(pack);
        EXPECT_TRUE(prompts().last().contains(QStringLiteral("rename.pk3 as %1").arg(entry))) << prompts().last().toStdString();
    }
    EXPECT_EQ(run("unzip", {"-Z1", pack}).trimmed().split('\n'), (QByteArrayList{"scripts/both.arena", "scripts/court.arena"}));
    EXPECT_EQ(gameValues(run("unzip", {"-p", pack, "scripts/court.arena"})).value(0).value("map"), "court");
    EXPECT_EQ(gameValues(run("unzip", {"-p", pack, "scripts/both.arena"})).value(1).value("map"), "court");
}

TEST_F(OpenCommand, EachBadInputIsToldAndChangesNoFieldAndWritesNothing)
{
    writeFile(path("notazip.pk3"), "not an archive");
    makeArchive(path("empty.pk3"), {"readme.txt", "textures/x.tga"});
    // An arena whose data ends before its stated size: the rest would be lost on writing it back.
    writeFile(path("short.pk3"), withEntryField(archiveBytes({{"scripts/a.arena", "{ map a }"}}), "scripts/a.arena", 24, 100));
    writeFile(path("large.arena"), ("{ map big longname Big }" + QByteArray(8192, ' ')).left(8192));
    writeFile(path("nomap.arena"), "{ longname \"No map\" type ffa }");
    writeFile(path("garbage.arena"), QByteArray("\x7f" "ELF\x02\x01\x01\0\0\0", 10) + QByteArray(300, '\xff'));
    QDir(folder.path()).mkdir("folder.arena");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.arena")).constData(), 0600), 0);
    const std::pair<const char*, const char*> rows[] = {
        {"missing.arena", "could not be opened.\n\nNo such file"},
        {"notazip.pk3", "could not be opened.\n\nNot a zip archive"},
        {"empty.pk3", "holds no arena the game reads (scripts/*.arena) and no map (maps/*.bsp)"},
        {"short.pk3", "holds no arena the game reads (scripts/*.arena) and no map (maps/*.bsp)"},
        {"large.arena", "could not be opened.\n\nThe file is 8,192 bytes. The game skips"},
        {"nomap.arena", "names no map"},
        {"garbage.arena", "holds no arena that the game reads.\n\nLine 1 holds"},
        {"folder.arena", "could not be opened.\n\nNot a regular file: it is a folder"},
        {"fifo.arena", "could not be opened.\n\nNot a regular file: it is a FIFO"},
    };
    setFields("Kept", "kept");
    const QStringList fields = visibleState(*window);
    const QString files = namesIn(folder.path());
    for (const auto& [name, message] : rows) {
        open(path(name));
        ASSERT_FALSE(prompts().isEmpty()) << name;
        EXPECT_TRUE(prompts().last().contains(message)) << name << ": " << prompts().last().toStdString();
        EXPECT_EQ(scripted.messages->styles.last(), 48);
        EXPECT_EQ(visibleState(*window), fields) << name;
        EXPECT_EQ(status(), "No file open. File, Open... edits an existing arena.") << name;
    }
    EXPECT_TRUE(prompts().filter("large.arena").front().contains("Its first 8,192 bytes hold:\nbig \u2014 Big"));
    EXPECT_EQ(namesIn(folder.path()), files);
    EXPECT_TRUE(scripted.report->shown.empty());
}

TEST_F(OpenCommand, APackWithAMapAndNoArenaOffersANewArenaThatCreateAdds)
{
    const QString pack = path("fresh.pk3");
    writeArchive(pack, {{"maps/fresh.bsp", smallestBsp()}, {"levelshots/fresh.tga", "x"}});
    find("fraglimit")->setText("5");
    open(pack);
    EXPECT_EQ(find("filename")->text(), "fresh");
    EXPECT_EQ(find("fraglimit")->text(), "10") << "the design's value";
    EXPECT_TRUE(find<QRadioButton>("aPk3")->isChecked());
    EXPECT_EQ(status(), "New arena for maps/fresh.bsp in fresh.pk3");

    find("longname")->setText("Fresh");
    tickGameType(0);
    scripted.report->answerToAll = platform::ReportWindow::Answer::WriteAnyway;
    create(pack);
    EXPECT_EQ(scripted.dialog->requests.back().initialPath, pack);
    EXPECT_EQ(run("unzip", {"-p", pack, "scripts/fresh.arena"}),
              editor::arenaText({"fresh", "", "Fresh", "10", "ffa"}));
    EXPECT_EQ(status(), "Open: fresh.pk3, scripts/fresh.arena");
}

TEST_F(OpenCommand, AnArenaPackIsJudgedAmongThePacksBesideIt)
{
    const auto toldOfNoMap = [&] {
        for (const ScriptedReportWindow::Shown& report : scripted.report->shown) {
            for (const platform::ReportLine& line : report.lines) {
                if (line.text.contains("holds no maps/yard.bsp"))
                    return true;
            }
        }
        return false;
    };
    writeArchive(path("yard-arena.pk3"), {{"scripts/yard.arena", mapwrights}});
    open(path("yard-arena.pk3"));
    EXPECT_TRUE(toldOfNoMap()) << "alone, the map is nowhere";

    scripted.report->shown.clear();
    writeArchive(path("yard.pk3"), {{"maps/yard.bsp", smallestBsp()}});
    open(path("yard-arena.pk3"));
    EXPECT_EQ(find("filename")->text(), "yard");
    EXPECT_FALSE(toldOfNoMap()) << "the game starts the map from the pk3 beside it";
}

TEST_F(OpenCommand, SeveralArenasAreChosenFromAndTheStatusLineAndRecentListFollow)
{
    const QString pack = path("two.pk3");
    writeArchive(pack, {{"maps/a.bsp", smallestBsp()},
                        {"scripts/one.arena", "{ map a longname \"A\" }\n{ map b longname \"B\" }"},
                        {"scripts/two.arena", mapwrights}});
    const QString loose = path("yard.arena");
    writeFile(loose, mapwrights);
    platform::SettingsStore().write("Mapwright", "Filenames", ".Arena", "remembered.arena");

    open(pack, -1);
    ASSERT_EQ(scripted.chooser->shown.size(), 1);
    EXPECT_EQ(scripted.chooser->shown.front(),
              (QStringList{"a \u2014 A \u2014 scripts/one.arena, arena 1 of 2",
                           "b \u2014 B \u2014 scripts/one.arena, arena 2 of 2", "yard \u2014 The Yard \u2014 scripts/two.arena"}));
    EXPECT_EQ(find("filename")->text(), "") << "Escape changes nothing";
    open(pack, 1);
    EXPECT_EQ(find("longname")->text(), "B");
    EXPECT_EQ(status(), "Open: two.pk3, scripts/one.arena, arena 2 of 2");
    ASSERT_EQ(scripted.report->shown.size(), 1u) << "the check's findings, once opened";
    EXPECT_TRUE(scripted.report->shown.back().heading.contains("two.pk3"));

    // Dropped on the window, a file opens as from the menu.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(loose)});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted()) << "the window takes a file's drag";
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(status(), "Open: yard.arena");
    EXPECT_EQ(find("bots")->text(), "Sarge Doom");

    // Newest first; a file gone from its place leaves the list, with a word.
    EXPECT_EQ(editor::recentFiles(), (QStringList{loose, pack}));
    QMenu* recent = find<QMenu>("recentmenu");
    emit recent->aboutToShow();
    ASSERT_EQ(recent->actions().size(), 2);
    QFile::remove(pack);
    recent->actions().at(1)->trigger();
    EXPECT_TRUE(prompts().last().contains("is no longer there")) << prompts().last().toStdString();
    EXPECT_EQ(editor::recentFiles(), QStringList{loose});
    EXPECT_EQ(TempSettings::remembered(".Arena"), "remembered.arena");
    // Eight are kept: the eighth file opened after it pushes the first out.
    QStringList opened{loose};
    for (int index = 1; index <= 8; ++index) {
        writeFile(path(qPrintable(QStringLiteral("%1.arena").arg(index))), mapwrights);
        opened.prepend(path(qPrintable(QStringLiteral("%1.arena").arg(index))));
        open(opened.front());
        EXPECT_EQ(editor::recentFiles(), opened.mid(0, 8)) << index;
    }

    // Create offers the opened file; after Clear, the remembered name again.
    create();
    EXPECT_EQ(scripted.dialog->requests.back().initialPath, opened.front());
    QTest::mouseClick(find<QPushButton>("Command3"), Qt::LeftButton);
    EXPECT_EQ(status(), "No file open. File, Open... edits an existing arena.");
    choose("aArena");
    setFields("T", "m");
    tickGameType(0);
    create();
    EXPECT_EQ(scripted.dialog->requests.back().initialPath, "remembered.arena");
}

TEST_F(OpenCommand, TheKeptLineShowsWhatTheFieldsCannotAndABoxTypedInTakesItsPlace)
{
    const QString file = path("kept.arena");
    writeFile(file, "{ map k longname K fraglimit 1000 type \"ffa oneflag\" timelimit 15 }");
    open(file);
    QLineEdit* kept = find("kept");
    EXPECT_TRUE(kept->isVisible());
    EXPECT_EQ(kept->text(), "Kept as it is: fraglimit 1000, type word oneflag, timelimit 15");
    typeInto(find("fraglimit"), "30");
    EXPECT_EQ(kept->text(), "Kept as it is: type word oneflag, timelimit 15");
    tickGameType(3);
    create(file);
    EXPECT_EQ(gameValues(readAll(file)).value(0).value("type"), "ffa team oneflag");
    EXPECT_EQ(gameValues(readAll(file)).value(0).value("fraglimit"), "30");
    writeFile(file, "{ map k longname K type ffa }");
    create(file);
    EXPECT_TRUE(prompts().last().contains("has changed since it was opened")) << prompts().join(' ').toStdString();
    EXPECT_EQ(readAll(file), "{ map k longname K type ffa }");

    // A title that ends the block early for the game: the file written
    // holds no one block there any more, and is no longer open.
    open(file);
    find("longname")->setText("K\" } x");
    scripted.report->answerToAll = platform::ReportWindow::Answer::WriteAnyway;
    create(file);
    EXPECT_EQ(status(), "No file open. File, Open... edits an existing arena.");
}
