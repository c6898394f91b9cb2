// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ArenaText.h"
#include "support/Archives.h"

namespace {

struct Ran {
    int status = -1;
    QString out;
    QString err;
};

// The installed program as a release script runs it: with no display at all,
// so that anything that would start the GUI fails.
Ran mapwright(const QStringList& arguments, int openFilesAllowed = 0)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    // The checksums of maps are remembered in a cache of the test's own.
    static const QTemporaryDir cache;
    environment.insert("XDG_CACHE_HOME", cache.path());
    process.setProcessEnvironment(environment);
    if (openFilesAllowed > 0) {
        // The shell's ulimit -n lowers the hard limit too: no raising past it.
        process.start("/bin/sh", QStringList{"-c", "ulimit -n \"$0\" && exec \"$@\"", QString::number(openFilesAllowed),
                                             MAPWRIGHT_PROGRAM} + arguments);
    } else {
        process.start(MAPWRIGHT_PROGRAM, arguments);
    }
    if (!process.waitForFinished(30000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()), QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace

TEST(CommandLine, AnswersLikeAnyLinuxProgramWithoutOpeningAWindow)
{
    const Ran help = mapwright({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: mapwright")) << help.out.toStdString();
    EXPECT_EQ(mapwright({"-h"}).out, help.out);

    const Ran version = mapwright({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "mapwright " MAPWRIGHT_VERSION "\n");

    for (const auto& [arguments, problem] :
         {std::pair{QStringList{"--bogus"}, "unknown option '--bogus'"},
          {QStringList{"yard.pk3", "-style", "fusion", "b.arena"}, "one FILE at a time: 'b.arena' comes after 'yard.pk3'"},
          {QStringList{"check"}, "check: no PATH given"}, {QStringList{"check", "-x", "a.pk3"}, "check: unknown option '-x'"}}) {
        const Ran refused = mapwright(arguments);
        EXPECT_EQ(refused.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(refused.err.startsWith(QStringLiteral("mapwright: %1").arg(problem))) << refused.err.toStdString();
        EXPECT_TRUE(refused.out.isEmpty());
    }
    // A file to open, after Qt's options or "--", goes on to the window,
    // which needs a display.
    for (const QStringList& arguments : {QStringList{"-style", "fusion", "yard.pk3"}, QStringList{"--", "-yard.arena"}}) {
        const Ran window = mapwright(arguments);
        EXPECT_EQ(window.status, 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(window.err.startsWith("mapwright: no display")) << window.err.toStdString();
    }
}

TEST(CommandLine, CheckPrintsALinePerFindingAndItsStatusSaysTheWorst)
{
    // Each archive alone in its folder, so that each is judged by itself.
    const QTemporaryDir folder;
    for (const char* name : {"clean", "broken"})
        ASSERT_TRUE(QDir(folder.path()).mkdir(name));
    const QString clean = folder.filePath("clean/yard.pk3");
    writeArchive(clean, {{"maps/yard.bsp", smallestBsp()},
                         {"scripts/yard.arena", editor::arenaText({"yard", "", "Yard", "20", "ffa"})}});
    const QString broken = folder.filePath("broken/broken.pk3");
    writeArchive(broken, {{"maps/yard.bsp", smallestBsp()},
                          {"scripts/arenas.txt", editor::arenaText({"yard", "", "Yard", "20", "ffa"})},
                          {"vm/qagame.qvm", "code"}});
    const QString notAZip = folder.filePath("notazip.pk3");
    writeFile(notAZip, "not an archive");
    const QString missing = folder.filePath("missing.pk3");

    const Ran fine = mapwright({"check", clean});
    EXPECT_FALSE(fine.out.contains(": error: ")) << fine.out.toStdString();
    EXPECT_EQ(fine.status, 0) << fine.out.toStdString() << fine.err.toStdString();

    const Ran lost = mapwright({"check", clean, broken});
    EXPECT_EQ(lost.status, 1) << lost.err.toStdString();
    const QStringList lines = lost.out.split('\n', Qt::SkipEmptyParts);
    for (const char* entry : {"scripts/arenas.txt", "vm/qagame.qvm"})
        EXPECT_EQ(lines.filter(QStringLiteral("%1:%2: error: ").arg(broken, entry)).size(), 1) << lost.out.toStdString();
    for (const QString& line : lines)
        EXPECT_TRUE(QRegularExpression("^[^:]+(:[^:]+)?: (error|advice): \\S.*[.]$").match(line).hasMatch())
            << line.toStdString();

    // A path that cannot be read outweighs what the others hold; each says why.
    const Ran unreadable = mapwright({"check", missing, broken, notAZip});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_EQ(unreadable.out, mapwright({"check", broken}).out);
    const QStringList why = unreadable.err.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(why.size(), 2) << unreadable.err.toStdString();
    EXPECT_TRUE(why[0].startsWith(QStringLiteral("mapwright: %1: ").arg(missing)));
    EXPECT_TRUE(why[1].startsWith(QStringLiteral("mapwright: %1: ").arg(notAZip)));
}

TEST(CommandLine, CheckStatusIsOneForAnErrorOfEachKindAndZeroForItsAdvice)
{
    const QByteArray pack = archiveBytes({{"maps/yard.bsp", smallestBsp()},
                                          {"scripts/yard.arena", editor::arenaText({"yard", "", "Yard", "20", "ffa"})},
                                          {"textures/x.tga", "x"}});
    // Of the archive: a zip library that cannot open what the game reads,
    // and a directory the game reads short, which crashes the server.
    const QTemporaryDir folder;
    const std::pair<QString, QByteArray> archives[] = {
        {folder.filePath("advice/yard.pk3"), withEntryField(pack, "textures/x.tga", 20, 0xFFFFFFFF)},
        {folder.filePath("error/yard.pk3"), withZip64Records(pack)}};
    for (const auto& [path, bytes] : archives) {
        QDir().mkpath(QFileInfo(path).path());
        writeFile(path, bytes);
    }
    // The archive alone, then its folder, where the map's missing navigation file is advice.
    for (const QString& path : {archives[0].first, archives[1].first, folder.filePath("advice")}) {
        const Ran checked = mapwright({"check", path});
        const bool error = path.contains("/error/");
        EXPECT_EQ(checked.status, error ? 1 : 0) << path.toStdString() << checked.out.toStdString();
        EXPECT_EQ(checked.out.contains(": error: "), error) << checked.out.toStdString();
        EXPECT_TRUE(checked.out.contains(": advice: ") || error) << checked.out.toStdString();
    }
}

TEST(CommandLineCheck, ShowsANameThatHoldsControlsQuotedAndOnItsOwnLine)
{
    // A line break in a name would print a forged finding of its own; a
    // terminal's escapes would erase the line above.
    const QTemporaryDir folder;
    const QString path = folder.filePath(QString::fromUtf8("ok\x1b[2K.pk3"));
    writeArchive(path, {{"vm/x\nrelease-ok.pk3: advice: fine.qvm", "code"}, {"vm/\x1b[1A\x1b[2K.qvm", "code"}});
    const Ran checked = mapwright({"check", path, path + "\n"});
    const QString shown = QStringLiteral("\"%1/ok\\033[2K.pk3\"").arg(folder.path());
    const QString sentence = QStringLiteral(": error: This file replaces the game's code for everyone who loads this pk3.\n");
    EXPECT_EQ(checked.out, shown + ":\"vm/x\\nrelease-ok.pk3: advice: fine.qvm\"" + sentence + shown
                               + ":\"vm/\\033[1A\\033[2K.qvm\"" + sentence);
    EXPECT_EQ(checked.err, "mapwright: " + shown.chopped(1) + "\\n\": No such file\n");
}

TEST(CommandLineCheck, FindsAndShowsANameThatIsNotUtf8ByItsOwnBytes)
{
    // Latin-1 names, as old tools left them: two that differ in one byte.
    const QTemporaryDir folder;
    const QByteArray base = QFile::encodeName(folder.path()) + '/';
    for (const char* name : {"caf\xe9.pk3", "caf\xe8.pk3"}) {
        writeArchive(folder.filePath("made.pk3"), {{"vm/qagame.qvm", "code"}});
        ASSERT_EQ(::rename(QFile::encodeName(folder.filePath("made.pk3")).constData(), (base + name).constData()), 0);
    }
    QProcess process;
    process.start("/bin/sh", {"-c", "exec \"$0\" check \"$1/$(printf 'caf\\351.pk3')\" \"$1/$(printf 'caf\\350.pk3')\"",
                              MAPWRIGHT_PROGRAM, folder.path()});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString sentence = QStringLiteral(":vm/qagame.qvm: error: This file replaces the game's code for everyone who "
                                            "loads this pk3.\n");
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()),
              QStringLiteral("\"%1/caf\\351.pk3\"%2\"%1/caf\\350.pk3\"%2").arg(folder.path(), sentence));
    EXPECT_EQ(process.exitCode(), 1);
}

TEST(CommandLine, CheckOfAGameFolderEndsWithItsSummary)
{
    const QTemporaryDir folder;
    writeArchive(folder.filePath("maps.pk3"), {{"maps/yard.bsp", smallestBsp()}, {"maps/court.bsp", smallestBsp()}});
    writeArchive(folder.filePath("arenas.pk3"),
                 {{"scripts/yard.arena", editor::arenaText({"yard", "", "Yard", "20", "ffa"})},
                  {"scripts/gone.arena", editor::arenaText({"gone", "", "Gone", "20", "ffa"})}});

    const Ran checked = mapwright({"check", folder.path()});
    EXPECT_EQ(checked.status, 1);
    const QStringList errors = checked.out.split('\n').filter(": error: ");
    EXPECT_EQ(errors.size(), 2) << "no bsp for gone, no arena for court: " << checked.out.toStdString();
    EXPECT_TRUE(errors.filter("arenas.pk3:scripts/yard.arena").isEmpty()) << "the bsp is in a neighbour";
    EXPECT_EQ(checked.err, QStringLiteral("%1: summary: Quake 3 Arena reads %1 (2 pk3s); the menus will list 2 maps, "
                                          "out of 2 arenas; the 1.32 menus 2, ioquake3's built-in menus 2, the "
                                          "server 2.\n")
                               .arg(folder.path()));

    // One archive of the folder: what is found about it alone, among its neighbours.
    const Ran archive = mapwright({"check", folder.filePath("arenas.pk3")});
    EXPECT_EQ(archive.out.split('\n').filter(": error: "), errors.filter("arenas.pk3:"));
    EXPECT_TRUE(archive.err.isEmpty());
}

TEST(CommandLine, CheckOfAFolderOfMorePksThanFilesMayBeOpenFindsTheSameEveryRun)
{
    // The zip library holds each pk3 open; past the process's limit, less
    // the 64 kept spare, pk3s are opened again for each read. Each run is a
    // process of its own, with hashes seeded anew: every list printed must
    // be in an order of its own making. Every pack holds its own build of
    // yard too, so that copies overlap everywhere.
    constexpr int paks = 40;
    const QTemporaryDir folder;
    for (int pak = 0; pak < paks; ++pak) {
        const QByteArray map = "map" + QByteArray::number(pak);
        writeArchive(folder.filePath(QStringLiteral("pack%1.pk3").arg(pak)),
                     {{"maps/" + map + ".bsp", smallestBsp()},
                      {"scripts/" + map + ".arena", editor::arenaText({map, "Nobody", "Map", "20", "ffa"})},
                      {"maps/yard.bsp", smallestBsp(map)},
                      {"scripts/yard.arena", editor::arenaText({"yard", "", map, "20", "ffa"})}});
    }
    const Ran unlimited = mapwright({"check", folder.path()});
    ASSERT_EQ(unlimited.status, 1);
    ASSERT_EQ(unlimited.out.count("\"Nobody\" is defined by no bot file"), paks) << "each arena read";
    for (const int allowed : {paks + 64, paks + 63, 30}) {
        const Ran limited = mapwright({"check", folder.path()}, allowed);
        EXPECT_EQ(limited.status, unlimited.status) << allowed;
        EXPECT_EQ(limited.out, unlimited.out) << allowed;
        EXPECT_EQ(limited.err, unlimited.err) << allowed;
    }
}
