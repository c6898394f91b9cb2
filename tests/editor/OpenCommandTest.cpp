// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ArenaFields.h"
#include "editor/ArenaText.h"
#include "editor/GameChoice.h"
#include "editor/RecentFiles.h"
#include "editor/Typelist.h"
#include "platform/system/ZipArchive.h"
#include "support/MainWindowUser.h"
#include "support/RealGame.h"

#include <QBuffer>
#include <QImage>

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

// An archive's entry, read by the bytes of its name, which need not be text.
QByteArray entryBytes(const QString& archive, const QByteArray& name)
{
    const std::optional<platform::ZipArchive> zip = platform::ZipArchive::open(archive);
    for (const platform::ZipEntry& entry : zip ? zip->entries() : std::vector<platform::ZipEntry>()) {
        if (entry.name == name)
            return zip->read(entry, 1 << 20).value_or("<unreadable>");
    }
    return "<none>";
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
        const editor::ArenaFields fields =
            editor::arenaFields(game::readInfoFile(row.block).blocks.at(0), editor::GameChoice().offer());
        QStringList ticked;
        for (std::size_t index = 0; index < 5; ++index)
            ticked << (fields.types[index] ? game::quake3().types[index].word : "");
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
// back byte for byte, into the entry it came from, whatever its name. The
// real zip and the game's own server judge the result.
TEST_F(OpenCommand, CreateWithNothingChangedWritesTheSameBytesBack)
{
    struct Row {
        const char* name;
        std::vector<TestEntry> files; // a nameless one is a loose file; else an archive's entries
        int chosen;                   // -1 when there is no chooser
    };
    const QByteArray threeBlocks = "// three maps\n{ map a longname A type ffa }\n/* the second */\n"
                                   "{ map b longname B type team }\n{\n map c\n longname \"C\"\n fraglimit \"\"\n"
                                   " type CTF\n}\n// end\n";
    const QByteArray extraKeys = "{ map \"m\" longname \"M\" timelimit 15 type \"oneflag ffa Elimination\" "
                                 "bots \"Nosuch Sarge\" fraglimit 1000 capturelimit 8 }";
    const QByteArray bsp = smallestBsp();
    const Row rows[] = {
        {"MapwrightsOwn", {{"", mapwrights}}, -1},
        {"CommentsAndThreeBlocks", {{"", threeBlocks}}, 2},
        {"ExtraKeysAndUnknownTypeWords", {{"", extraKeys}}, -1},
        {"ArchiveEntryNamedOtherThanItsMap", {{"maps/m.bsp", bsp}, {"SCRIPTS/Other.ARENA", extraKeys}}, -1},
        {"ArchiveWithTwoArenaEntries",
         {{"maps/yard.bsp", bsp}, {"scripts/yard.arena", mapwrights}, {"scripts/three.arena", threeBlocks, ZIP_CM_STORE}},
         3},
        {"TheListOfArenasOfAPack", {{"maps/a.bsp", bsp}, {"scripts/arenas.txt", threeBlocks}}, 0},
        // Names that are no text, and a '\\' that zip keeps as it is.
        {"EntryNamedInLatin1", {{"maps/caf\xe9.bsp", bsp}, {"scripts/caf\xe9.arena", "{ map caf\xe9 }"}}, -1},
        {"EntryNamedWithABackslash", {{"maps/bs.bsp", bsp}, {"scripts\\bs.arena", "{ map bs }"}}, -1},
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
        create(file);
        EXPECT_EQ(prompts().size(), loose ? 0 : 1) << row.name << ": " << prompts().join(' ').toStdString();
        scripted.messages->prompts.clear();

        // Every file of the archive as it was, under its own name alone.
        QByteArrayList names;
        for (const TestEntry& entry : row.files) {
            names << entry.name;
            EXPECT_EQ(loose ? readAll(file) : entryBytes(file, entry.name), entry.bytes) << row.name;
        }
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

// A value changed takes the old one's place, quoted as it was or as it must
// be; a key set that the block lacked follows its last key in the block's
// layout; every other byte of the file stays, comments and line ends too.
TEST_F(OpenCommand, CreateWritesOnlyWhatChangedIntoTheBlock)
{
    // As the game's own list is written: tabs, CR LF, tiers in comments.
    const QByteArray tiers = "// *** DEATHMATCH ***\r\n//Tier 1\r\n{\r\nmap\t\t\"oa_one\"\r\nlongname\t\"Trial One\"\r\n"
                             "bots\t\t\"sarge grunt\"\r\nfraglimit\t15\r\ntype\t\t\"single ffa tourney\"\r\n}\r\n\r\n"
                             "{\r\nmap\t\t    \"oa_two\"\r\n// bots \"xaero\"\r\nbots\t\t\"major\"\r\n"
                             "fraglimit\t\"20\" /* keep me */\r\nlongname\t\"Second Go\"\r\ntype\t\t\"single ffa\"\r\n}\r\n"
                             "//Tier 2\r\n{\r\nmap\t\t\"oa_three\"\r\nlongname\t\"Third\"\r\nfraglimit\t\"20\"\r\n"
                             "type\t\t\"ffa\"\r\n}\r\n";
    QByteArray tiersChanged = tiers;
    tiersChanged.replace(tiers.indexOf("\"20\" /*"), 4, "\"25\"");
    struct Row {
        const char* name;
        QByteArray text;
        int chosen;
        std::function<void()> change;
        QByteArray expected;
        QString kept;
    };
    const Row rows[] = {
        {"OneFragLimitInTheGamesList", tiers, 1,
         [&] {
             find("fraglimit")->clear();
             typeInto(find("fraglimit"), "25");
         },
         tiersChanged,
         "Kept as it is: 2 comments"},
        {"ABareValueThatMustNowBeQuoted", "{\n  map m\n  longname One\n  type ffa\n}\n", -1,
         [&] { find("longname")->setText("Two Words"); }, "{\n  map m\n  longname \"Two Words\"\n  type ffa\n}\n", ""},
        {"KeysSetThatTheBlockLacked", "{\n\tmap\t\"m\"\n\tlongname\t\"M\"\n}", -1,
         [&] {
             find("fraglimit")->setText("30");
             tickGameType(0);
         },
         "{\n\tmap\t\"m\"\n\tlongname\t\"M\"\n\tfraglimit\t\"30\"\n\ttype\t\"ffa\"\n}", ""},
        {"OneLineBlock", "{ map m longname M type ffa } // after\n", -1, [&] { find("bots")->setText("Sarge"); },
         "{ map m longname M type ffa bots Sarge } // after\n", ""},
        {"AKeyAloneAndACommentAfterTheLastKey", "{\r\nmap m\r\nfraglimit\r\ntype ffa // the last\r\n}\r\n", -1,
         [&] {
             find("fraglimit")->setText("5");
             find("longname")->setText("T");
         },
         "{\r\nmap m\r\nfraglimit \"5\"\r\ntype ffa // the last\r\nlongname T\r\n}\r\n", "Kept as it is: 1 comment"},
    };
    choose("aArena");
    scripted.report->answerToAll = platform::ReportWindow::Answer::WriteAnyway;
    const QString file = path("edited.arena");
    for (const Row& row : rows) {
        writeFile(file, row.text);
        open(file, row.chosen);
        EXPECT_EQ(find("kept")->text(), row.kept) << row.name;
        row.change();
        create(file);
        EXPECT_EQ(readAll(file), row.expected) << row.name;
        EXPECT_EQ(prompts(), QStringList()) << row.name;
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

    // zip takes the names it is given one a line: one that holds a line
    // break cannot be written back, and is refused before anything is.
    writeArchive(pack, {{"scripts/line\rbreak.arena", mapwrights}});
    const QByteArray before = readAll(pack);
    open(pack);
    create(pack);
    EXPECT_TRUE(prompts().last().contains("\"scripts/line\\rbreak.arena\" has a line break in its name"))
        << prompts().last().toStdString();
    EXPECT_EQ(readAll(pack), before);
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
        {"empty.pk3", "holds no arena the game reads (scripts/arenas.txt or scripts/*.arena) and no map (maps/*.bsp)"},
        {"short.pk3", "holds no arena the game reads (scripts/arenas.txt or scripts/*.arena) and no map (maps/*.bsp)"},
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
    // The list of arenas comes first, as the game reads it; a map it lists
    // in capitals has its arena, but the game folds no letter outside ASCII.
    // Levelshots: a TGA from the bottom up, another run-length coded from the
    // top down, a PNG, and one too large to read.
    const QByteArray tgaHeader("\0\0\x02\0\0\0\0\0\0\0\0\0\x01\0\x02\0\x18\0", 18);
    QImage blue(2, 2, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    blue.save(&png, "png");
    const QString pack = path("two.pk3");
    writeArchive(pack, {{"maps/a.bsp", smallestBsp()}, {"maps/d.bsp", smallestBsp()}, {"maps/caf\xe9.bsp", smallestBsp()},
                        {"scripts/one.arena", "{ map a longname \"A\" }\n{ map b longname \"B\" }"},
                        {"scripts/two.arena", mapwrights},
                        {"scripts/arenas.txt", "{ map D longname \"D\" }\n{ map \"CAF\xc9\" longname \"Caf\" }"},
                        {"levelshots/a.tga", tgaHeader + QByteArray("\0\0\xff\0\xff\0", 6)},
                        {"levelshots/B.TGA", QByteArray(tgaHeader).replace(2, 1, "\x0a").replace(17, 1, "\x20")
                                                 + QByteArray("\x01\0\0\xff\0\xff\0", 7)},
                        {"levelshots/yard.png", png.data()},
                        {"levelshots/d.jpg", QByteArray(4 * 1024 * 1024 + 1025, '\0')}});
    const QString loose = path("yard.arena");
    writeFile(loose, mapwrights);
    platform::SettingsStore().write("Mapwright", "Filenames", ".Arena", "remembered.arena");

    open(pack, -1);
    ASSERT_EQ(scripted.chooser->shown.size(), 1);
    EXPECT_EQ(scripted.chooser->shown.front(),
              (QStringList{"D \u2014 D \u2014 scripts/arenas.txt, arena 1 of 2",
                           "CAF\u00c9 \u2014 Caf \u2014 scripts/arenas.txt, arena 2 of 2",
                           "a \u2014 A \u2014 scripts/one.arena, arena 1 of 2",
                           "b \u2014 B \u2014 scripts/one.arena, arena 2 of 2", "yard \u2014 The Yard \u2014 scripts/two.arena",
                           "caf\u00e9 \u2014 (no arena yet) \u2014 maps/caf\u00e9.bsp"}));
    // Each as the menu shows it, stretched to 128 by 96: (top, bottom).
    const std::vector<std::pair<QRgb, QRgb>> shown = {
        {}, {}, {qRgb(0, 255, 0), qRgb(255, 0, 0)}, {qRgb(255, 0, 0), qRgb(0, 255, 0)}, {qRgb(0, 0, 255), qRgb(0, 0, 255)}, {}};
    ASSERT_EQ(scripted.chooser->pictures.front().size(), shown.size());
    for (std::size_t row = 0; row < shown.size(); ++row) {
        const QImage& picture = scripted.chooser->pictures.front()[row];
        EXPECT_EQ(picture.isNull(), shown[row].first == 0) << row;
        if (!picture.isNull()) {
            EXPECT_EQ(picture.size(), QSize(128, 96)) << row;
            EXPECT_EQ(std::pair(picture.pixel(0, 0), picture.pixel(127, 95)), shown[row]) << row;
        }
    }
    EXPECT_EQ(find("filename")->text(), "") << "Escape changes nothing";
    open(pack, 3);
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

    // The report at Open is about the arena chosen; of the others, a count.
    writeFile(path("three.arena"), "{ map one longname \"A;B\" bots \"a;b\" type ffa }\n"
                                   "{ map t.wo longname Two type team }\n{ map three longname Three type team }\n");
    scripted.report->shown.clear();
    open(path("three.arena"), 2);
    ASSERT_EQ(scripted.report->shown.size(), 1u);
    EXPECT_EQ(scripted.report->shown.back().heading,
              "The game will read " + path("three.arena") + " in full; 1 piece of advice:\n\nThe file's other "
              "arenas have 2 errors and 2 pieces of advice; File, Check pk3... shows them.");
    EXPECT_EQ(scripted.report->shown.back().lines.size(), 1u);
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

// A file of a game's folder is that game's: the bot window offers the bots
// its folders define, as the game spells them, each once; a box stands for
// each of its types; the status line names it; Create writes its words.
TEST_F(OpenCommand, AnArenaOfAGamesFolderTakesThatGamesBotsAndTypes)
{
    const QString baseoa = path("baseoa");
    QDir().mkpath(baseoa);
    const QByteArray arena = "{\n\tmap\t\"oa_yard\"\n\tlongname\t\"Yard\"\n\tbots\t\"angelyss Tony\"\n\ttype\t\"ffa lms dom\"\n}\n";
    writeArchive(baseoa + "/yard.pk3", {{"maps/oa_yard.bsp", smallestBsp()}, {"scripts/oa_yard.arena", arena},
                                        {"scripts/oa.bot", "{ name Angelyss }\n{ name Tony }\n{ name ANGELYSS }\n"}});
    const int designHeight = window->height();
    open(baseoa + "/yard.pk3");
    EXPECT_TRUE(status().startsWith(QStringLiteral("OpenArena \u2014 Open: yard.pk3"))) << status().toStdString();
    QStringList ticked;
    for (QCheckBox* box : window->findChildren<QCheckBox*>(QRegularExpression("^typeselect_")))
        ticked << (box->isChecked() ? box->text() : QString());
    ticked.removeAll({});
    ticked.sort();
    EXPECT_EQ(ticked, (QStringList{"Domination", "Free For All", "Last Man Standing"}));
    EXPECT_EQ(window->findChildren<QCheckBox*>(QRegularExpression("^typeselect_")).size(), 13);
    EXPECT_GT(window->height(), designHeight) << "the game's other types take rows of their own";
    EXPECT_EQ(find("bots")->text(), "angelyss Tony");
    EXPECT_TRUE(find("kept")->isHidden()) << find("kept")->text().toStdString();

    QStringList catalogue;
    inModalWindow([this] { QTest::mouseClick(find<QPushButton>("label8"), Qt::LeftButton); },
                  [&](QWidget* form) {
                      const QListWidget* list = control<QListWidget>(*form, "botlist");
                      for (int row = 0; row < list->count(); ++row)
                          catalogue << list->item(row)->text();
                      QTest::mouseClick(control<QPushButton>(*form, "label4"), Qt::LeftButton);
                  });
    EXPECT_EQ(catalogue, (QStringList{"Angelyss", "Tony"}));

    tickGameType(11); // Double Domination
    scripted.report->answerToAll = platform::ReportWindow::Answer::WriteAnyway;
    create(baseoa + "/yard.pk3");
    EXPECT_EQ(gameValues(entryBytes(baseoa + "/yard.pk3", "scripts/oa_yard.arena")).value(0).value("type"), "ffa lms dd dom");
}
