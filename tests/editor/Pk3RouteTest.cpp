// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/pk3/ArchiveUpdate.h"
#include "editor/ArenaText.h"
#include "platform/system/FolderLock.h"
#include "support/Archives.h"
#include "support/ArchiverWatch.h"
#include "support/ExtendedAttributes.h"
#include "support/MainWindowUser.h"
#include "support/OrdinaryUser.h"

#include <csignal>

namespace {

const QString success = "The requested task was successfully completed.";
const QString failure = "Sorry, there was an error creating the file. Please fill in the feedback form at the address "
                        "in the About box and we will try to help you.";

QString entriesOf(const QString& archive)
{
    QStringList entries = QString::fromUtf8(run("unzip", {"-Z1", archive})).split('\n', Qt::SkipEmptyParts);
    entries.sort();
    return entries.join(" | ");
}

// What tells a file's content apart: its bytes, or for a huge sparse file,
// which the route could only have changed by writing, its place and time.
QByteArray fingerprint(const QString& path)
{
    const QFileInfo info(path);
    const QByteArray where = QByteArray::number(info.size()) + ' ' + QByteArray::number(info.lastModified().toMSecsSinceEpoch())
                             + ' ' + QByteArray::number(qulonglong(info.fileTime(QFile::FileMetadataChangeTime).toMSecsSinceEpoch()));
    if (info.size() > (qint64(1) << 30))
        return where;
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? where + ' ' + hash.result().toHex() : "<unreadable>";
}

// A map's archive large enough for the archiver to be caught at work: a
// bsp of random bytes, stored, as a map's textures mostly are.
const QString& largeArchive()
{
    static QTemporaryDir folder;
    static const QString archive = [] {
        QDir(folder.path()).mkpath("maps");
        QFile bsp(folder.filePath("maps/big.bsp"));
        if (bsp.open(QIODevice::WriteOnly)) {
            QByteArray block(1 << 20, Qt::Uninitialized);
            for (int megabyte = 0; megabyte < 128; ++megabyte) {
                QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(block.data()), block.size() / 4);
                bsp.write(block);
            }
        }
        bsp.close();
        run("zip", {"-q", "-0", "big.pk3", "maps/big.bsp"}, folder.path());
        return folder.filePath("big.pk3");
    }();
    return archive;
}

// Presses Stop in every progress window that opens, noting its text. An
// archiver held still meanwhile, so that the window has time to show, is
// let go on just before.
struct ProgressStopper {
    QString text;
    std::atomic<pid_t> heldArchiver{0};
    QTimer poll;
    ProgressStopper()
    {
        QObject::connect(&poll, &QTimer::timeout, [this] {
            if (auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget())) {
                text = progress->labelText();
                if (const pid_t held = heldArchiver.exchange(0))
                    ::kill(held, SIGCONT);
                QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
            }
        });
        poll.start(20);
    }
};

class Pk3Route : public MainWindowUser {
protected:
    QTemporaryDir temp;
    QString programFolder = temp.filePath("program folder");
    QString driveRoot = temp.filePath("private/drive-c");
    QString userFolder = temp.filePath("maps");

    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(programFolder) && QDir().mkpath(userFolder));
        // These archives hold no maps; what the game would make of that is
        // another test's business.
        scripted.report->answerToAll = platform::ReportWindow::Answer::WriteAnyway;
        ASSERT_TRUE(QFile::link(QStandardPaths::findExecutable("zip"), QDir(programFolder).filePath("zip")))
            << "the tests need Info-ZIP zip";
        reopen();
    }
    void reopen(std::function<void(const char*)> stepReached = {})
    {
        openWindow({programFolder, driveRoot}, std::move(stepReached));
        tickGameType(0);
        choose("aPk3");
        setFields("The Longest Yard", "q3dm17");
    }
    static QByteArray arena(const QString& title, const QString& map = "q3dm17")
    {
        return editor::arenaText({map, "", title, "10", "ffa"});
    }
    QString archive(const QString& name = "maps.pk3") const { return QDir(userFolder).filePath(name); }
    QString drive(const QString& path = "scripts") const { return QDir(driveRoot).filePath(path); }
    void replaceArchiverWithScript(const QByteArray& script)
    {
        const QString path = QDir(programFolder).filePath("zip");
        QFile::remove(path);
        writeFile(path, "#!/bin/sh\n" + script);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // Runs the route in a program of its own that kills itself at `step`;
    // returns what it printed.
    QByteArray runHeadless(const QString& map, const QString& step = QString())
    {
        QProcess headless;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", temp.filePath("headless settings"));
        headless.setProcessEnvironment(environment);
        headless.start(PK3_ROUTE_HEADLESS, {programFolder, driveRoot, archive(), map, step});
        EXPECT_TRUE(headless.waitForFinished(60000));
        return headless.readAllStandardOutput();
    }
};

} // namespace

TEST_F(Pk3Route, CreatesOrUpdatesTheArchiveWithTheEntryWhereTheGameLooks)
{
    create(archive());
    EXPECT_EQ(scripted.messages->styles.at(0), 64);
    EXPECT_EQ(entriesOf(archive()), "scripts/q3dm17.arena");
    EXPECT_EQ(TempSettings::remembered("Pk3"), archive());
    EXPECT_EQ(TempSettings::remembered(".Arena"), "") << "the save route's name is its own";
    EXPECT_FALSE(QFileInfo::exists(driveRoot)) << "the route leaves no empty staging folder";

    // Other entries stay; its own, and those the game takes for it (another
    // letter case), give way to the new one. Names are taken literally, a
    // link is followed, the user's default zip options (here: junk the
    // paths) never reach the archiver, and a name without an extension is
    // the file zip writes, new or not. Zip64 archives count too. The
    // archive is replaced whole, keeping its permissions; another name of
    // it keeps the old content.
    makeArchive(archive(), {"maps/q3dm17.bsp", "SCRIPTS/q3dm17.arena", "Scripts/Q3DM17.ARENA", "scripts/q3dm17.arena"});
    ASSERT_TRUE(QFile::setPermissions(archive(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_EQ(::link(QFile::encodeName(archive()).constData(), QFile::encodeName(temp.filePath("hard")).constData()), 0);
    const QByteArray before = readAll(archive());
    writeZip64Archive(archive("old"), {{"maps/old.bsp", "maps/old.bsp"}, {"SCRIPTS/Q3DM17.arena", "x"}});
    ASSERT_TRUE(QFile::link(archive(), archive("link.pk3")));
    ASSERT_TRUE(QDir().mkpath(drive())); // an empty staging folder is found, and stays
    qputenv("ZIPOPT", "-j");
    const auto restore = qScopeGuard([] { qunsetenv("ZIPOPT"); });
    for (const auto& [title, map, into] : {std::tuple{"Second Title", "q3dm17", "maps.pk3"},
                                           {"Brackets", "dm [1]", "link.pk3"}, {"Old", "q3dm17", "old"},
                                           {"New", "q3dm17", "new"}}) {
        setFields(title, map);
        create(archive(into));
    }
    EXPECT_EQ(prompts(), QStringList(5, success));
    EXPECT_TRUE(QFileInfo(archive("link.pk3")).isSymLink());
    EXPECT_EQ(entriesOf(archive()), "maps/q3dm17.bsp | scripts/dm [1].arena | scripts/q3dm17.arena");
    EXPECT_EQ(run("unzip", {"-p", archive(), "maps/q3dm17.bsp"}), QByteArray("maps/q3dm17.bsp"));
    EXPECT_EQ(run("unzip", {"-p", archive(), "scripts/q3dm17.arena"}), arena("Second Title"));
    EXPECT_EQ(run("unzip", {"-p", archive(), "scripts/dm [[]1].arena"}), arena("Brackets", "dm [1]"));
    EXPECT_EQ(QFileInfo(archive()).permissions() & 0x0fff, QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);
    EXPECT_EQ(readAll(temp.filePath("hard")), before);
    EXPECT_EQ(entriesOf(archive("old")), "maps/old.bsp | scripts/q3dm17.arena");
    EXPECT_EQ(entriesOf(archive("new")), "scripts/q3dm17.arena");
    EXPECT_EQ(namesIn(userFolder), "link.pk3 maps.pk3 new old");
    EXPECT_TRUE(QDir(drive()).exists() && QDir(drive()).isEmpty());
}

TEST_F(Pk3Route, TheEntryAndTheUsersFilesKeepTheirNamesWhateverTheLetterCase)
{
    // Two staging folders that the classic drive would take for one, and
    // the user's files of the staged name in both.
    const QStringList usersFiles = {"SCRIPTS/Q3DM17.arena", "SCRIPTS/readme.txt", "scripts/q3dm17.arena"};
    for (const QString& file : usersFiles) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(drive(file)).path()));
        writeFile(drive(file), file.toUtf8());
    }
    create(archive());
    setFields("Star", "*"); // its clean-up deletes one file, by name
    create(archive());

    EXPECT_EQ(prompts(), (QStringList{success, success}));
    EXPECT_EQ(entriesOf(archive()), "scripts/*.arena | scripts/q3dm17.arena");
    EXPECT_EQ(run("unzip", {"-p", archive(), "scripts/q3dm17.arena"}), arena("The Longest Yard"));
    for (const QString& file : usersFiles)
        EXPECT_EQ(readAll(drive(file)), file.toUtf8());
    EXPECT_EQ(namesIn(driveRoot) + " / " + namesIn(drive("SCRIPTS")) + " / " + namesIn(drive()),
              "SCRIPTS scripts / Q3DM17.arena readme.txt / q3dm17.arena");
}

TEST_F(Pk3Route, FailuresLeaveTheArchiveAsItWasAndSayWhy)
{
    create();
    EXPECT_FALSE(QFileInfo::exists(driveRoot)) << "Cancel touches nothing";

    struct Case {
        const char* what;
        QByteArray archiver; // a script in the archiver's place; empty for the real one
        std::function<void(const QString& archive)> prepare;
        const char* reason;
    };
    const QString notes = "my notes, not an archive";
    const std::vector<Case> cases = {
        {"not an archive", {}, [&](const QString& path) { writeFile(path, notes.toUtf8()); },
         "It cannot be read as a zip archive"},
        {"too little room", {}, [](const QString& path) {
             QFile sparse(path);
             ASSERT_TRUE(sparse.open(QIODevice::WriteOnly)
                         && sparse.resize(QStorageInfo(QFileInfo(path).path()).bytesAvailable() + (qint64(1) << 30)));
         }, "There is not enough free space beside it for the new archive"},
        {"archiver dies", "echo partial > out.pk3\nkill -9 $$\n", {}, "The archiver was stopped before it had finished."},
        {"archiver does nothing", "exit 0\n", {}, "The archiver's new archive was not used: it cannot be read"},
        {"archiver adds nothing", "cp in.pk3 out.pk3\n", {},
         "The archiver's new archive was not used: it holds 0 entries named scripts/q3dm17.arena"},
        {"archiver refuses", "echo 'zip error: Nothing to do! (in.pk3)'\nexit 12\n", {},
         "The archiver said: zip error: Nothing to do! (maps.pk3)"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        scripted.messages->prompts.clear();
        makeArchive(archive(), {"maps/q3dm17.bsp"});
        if (test.prepare)
            test.prepare(archive());
        const QByteArray before = fingerprint(archive());
        if (!test.archiver.isEmpty())
            replaceArchiverWithScript(test.archiver);
        create(archive());
        ASSERT_EQ(prompts().size(), 1);
        EXPECT_TRUE(prompts()[0].startsWith(failure + "\n\n" + test.reason)) << prompts()[0].toStdString();
        EXPECT_TRUE(prompts()[0].endsWith(QStringLiteral("The archive %1 is as it was.").arg(archive())));
        EXPECT_EQ(fingerprint(archive()), before);
        EXPECT_EQ(namesIn(userFolder), "maps.pk3") << "nothing of the route's left beside the archive";
        EXPECT_EQ(TempSettings::remembered("Pk3"), "");
        EXPECT_FALSE(QFileInfo::exists(driveRoot));
        QFile::remove(archive());
    }

    // With no archiver anywhere, no archive is made.
    QFile::remove(QDir(programFolder).filePath("zip"));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", temp.filePath("nowhere").toUtf8());
    create(archive());
    qputenv("PATH", path);
    EXPECT_TRUE(prompts().last().contains("The archiver, zip, is missing")) << prompts().last().toStdString();
    EXPECT_TRUE(prompts().last().endsWith(QStringLiteral("No archive was made at %1.").arg(archive())));
    EXPECT_FALSE(QFileInfo::exists(archive()));

    // A map name that is no plain file name is refused before it can write,
    // and then delete, a file elsewhere.
    ASSERT_TRUE(QDir().mkpath(driveRoot));
    writeFile(drive("../victim.arena"), "precious");
    for (const char* map : {"../victim", ".."}) {
        setFields("Yard", map);
        create(archive());
        EXPECT_TRUE(prompts().last().contains(QStringLiteral("\"%1\"").arg(map))) << prompts().last().toStdString();
    }
    EXPECT_TRUE(prompts().last().contains("names a folder"));
    EXPECT_EQ(readAll(drive("../victim.arena")), QByteArray("precious"));

    // A file that cannot be staged never reaches the archiver.
    const QString started = temp.filePath("archiver started");
    replaceArchiverWithScript("touch '" + started.toUtf8() + "'\nexec zip \"$@\"\n");
    setFields("Yard", QString(250, 'm')); // too long a name for a file here
    create(archive());
    ASSERT_TRUE(QDir().mkpath(driveRoot));
    writeFile(drive(), "a file where the folder would be");
    setFields("Yard", "q3dm17");
    create(archive());
    for (const QString& prompt : prompts().mid(prompts().size() - 2))
        EXPECT_TRUE(prompt.startsWith(failure + "\n\nThe arena file could not be written")) << prompt.toStdString();
    EXPECT_FALSE(QFileInfo::exists(started));
    EXPECT_EQ(readAll(drive()), QByteArray("a file where the folder would be"));
}

TEST_F(Pk3Route, WhatFailsAfterTheArchiveIsInPlaceIsToldInOneMessage)
{
    // The setting cannot be stored: a folder stands where its file goes.
    ASSERT_TRUE(QDir().mkpath(settings.iniPath()));
    create(archive());
    ASSERT_EQ(prompts().size(), 1);
    EXPECT_TRUE(prompts()[0].startsWith(
        QStringLiteral("The arena file was added to the archive %1 as scripts/q3dm17.arena.\n\n").arg(archive())));
    EXPECT_TRUE(prompts()[0].contains("could not remember the archive's name")) << prompts()[0].toStdString();
    EXPECT_EQ(scripted.messages->styles.at(0), 48);
    EXPECT_EQ(entriesOf(archive()), "scripts/q3dm17.arena");
    ASSERT_TRUE(QDir(settings.iniPath()).removeRecursively());

    // An archiver that leaves a folder where the staged file was.
    QFile::remove(archive());
    replaceArchiverWithScript("zip \"$@\" || exit 1\nrm \"$3\"\nmkdir \"$3\"\n");
    create(archive());
    ASSERT_EQ(prompts().size(), 2);
    EXPECT_TRUE(prompts()[1].startsWith("The arena file was added to the archive")) << prompts()[1].toStdString();
    EXPECT_TRUE(prompts()[1].contains("tidy up") && prompts()[1].contains(drive("scripts/q3dm17.arena")));
    EXPECT_EQ(entriesOf(archive()), "scripts/q3dm17.arena");
}

TEST_F(Pk3Route, StopOrAKillAtAnyPointLeavesTheArchiveWholeAndTheMessageSaysWhich)
{
    const QString oldEntries = entriesOf(largeArchive());
    const QString stopped = failure + "\n\nYou stopped the archiver before it had finished.";
    const QString killed = failure + "\n\nThe archiver was stopped before it had finished.";
    enum class Act { Stop, KillArchiver, KillProgram };
    struct Case {
        const char* at;
        Act act;
        const char* message; // for the program killed: none
        bool replaced;
    };
    const Case cases[] = {
        {"started", Act::Stop, "stopped", false},         {"writing", Act::Stop, "stopped", false},
        {"started", Act::KillArchiver, "killed", false},  {"writing", Act::KillArchiver, "killed", false},
        {"archiver about to start", Act::KillProgram, nullptr, false},
        {"writing", Act::KillProgram, nullptr, false},
        {"new archive checked", Act::KillProgram, nullptr, false},
        {"archive replaced", Act::KillProgram, nullptr, true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(test.at) + " " + std::to_string(int(test.act)));
        QFile::remove(archive());
        ASSERT_TRUE(QFile::copy(largeArchive(), archive()));
        const QByteArray old = fingerprint(archive());
        scripted.messages->prompts.clear();
        if (test.act == Act::KillProgram) {
            const QByteArray printed = runHeadless("q3dm17", test.at);
            EXPECT_FALSE(printed.contains("message")) << printed.toStdString();
        } else {
            ProgressStopper stopper;
            const ArchiverMoment moment = qstrcmp(test.at, "started") == 0 ? ArchiverMoment::Started
                                                                              : ArchiverMoment::Writing;
            const bool stop = test.act == Act::Stop;
            reopen([&](const char* step) {
                if (qstrcmp(step, "archiver about to start") == 0)
                    whenTheArchiverIs(moment, userFolder, [&, stop](pid_t archiver) {
                        if (stop)
                            stopper.heldArchiver = archiver; // Stop needs its window on screen
                        ::kill(archiver, stop ? SIGSTOP : SIGKILL);
                    });
            });
            create(archive());
            EXPECT_EQ(prompts().size(), 1);
            EXPECT_TRUE(prompts().value(0).startsWith(qstrcmp(test.message, "stopped") == 0 ? stopped : killed))
                << prompts().value(0).toStdString();
            EXPECT_TRUE(prompts().value(0).endsWith("is as it was."));
            if (stop) {
                EXPECT_EQ(stopper.text, "Adding q3dm17.arena to maps.pk3...") << "the wait says what is under way";
            }
        }
        QTest::qWait(100); // an archiver that outlived a killed program would go on meanwhile
        if (test.replaced)
            EXPECT_EQ(entriesOf(archive()), oldEntries + " | scripts/q3dm17.arena");
        else
            EXPECT_EQ(fingerprint(archive()), old);

        // The next run takes what a killed run left beside the archive.
        scripted.messages->prompts.clear();
        reopen();
        create(archive());
        EXPECT_EQ(prompts(), QStringList{success});
        EXPECT_EQ(namesIn(userFolder), "maps.pk3");
    }
}

TEST_F(Pk3Route, OnlyAFolderThatProvesToBeAKilledRunsIsRemovedBesideTheArchive)
{
    makeArchive(archive(), {"maps/q3dm17.bsp"});
    runHeadless("q3dm17", "new archive checked");
    const QStringList left = QDir(userFolder).entryList({".mapwright-*"}, QDir::Dirs | QDir::Hidden);
    ASSERT_EQ(left.size(), 1) << "a killed run leaves its folder";
    ASSERT_EQ(namesIn(archive(left[0])), "in.pk3 made-by-mapwright out.pk3 scripts");
    // Its links are removed, never followed: here one leads to the user's.
    writeFile(temp.filePath("notes.txt"), "mine");
    ASSERT_TRUE(QFile::remove(archive(left[0] + "/scripts")) && QFile::link(temp.path(), archive(left[0] + "/scripts")));
    // Folders of a like name that are not a run's own, most of them the
    // killed run's ($0) copied and changed a little.
    const char* notARunsOwn[] = {
        "mkdir .mapwright-backup && echo mine > .mapwright-backup/out.pk3",
        "cp -a $0 .mapwright-nomark && rm .mapwright-nomark/made-by-mapwright",
        "cp -a $0 .mapwright-badmrk && printf m | dd of=.mapwright-badmrk/made-by-mapwright conv=notrunc status=none",
        "cp -a $0 .mapwright-foreig && echo mine > .mapwright-foreig/notes.txt",
        "cp -a $0 .mapwright-notreg && rm .mapwright-notreg/out.pk3 && mkfifo .mapwright-notreg/out.pk3",
        "cp -a $0 ../elsewhere && ln -s ../elsewhere .mapwright-linked",
        "cp -a $0 .mapwright-nobody && chown nobody .mapwright-nobody || rm -r .mapwright-nobody", // root's tests only
    };
    for (const char* make : notARunsOwn)
        run("sh", {"-c", make, left[0]}, userFolder);
    const QByteArray kept = run("ls", {"-AR", "--ignore=" + left[0], ".", "../elsewhere"}, userFolder);
    create(archive());
    EXPECT_EQ(prompts(), QStringList{success});
    EXPECT_EQ(run("ls", {"-AR", ".", "../elsewhere"}, userFolder), kept) << "the killed run's folder, and no other, is gone";
    EXPECT_EQ(readAll(temp.filePath("notes.txt")), QByteArray("mine"));
}

TEST_F(Pk3Route, AnArchiveChangedWhileTheArchiverWorkedIsNotReplaced)
{
    writeFile(temp.filePath("other.arena"), arena("Other", "other"));
    // Each field of the identity compared, changed alone, is a row of its
    // own (see FileIdentity's test); here, that the route compares it.
    const char* changes[] = {
        "zip -qj maps.pk3 ../other.arena", // as another run without a lock would
        "mv maps.pk3 away && mv away maps.pk3", // the same file, content and times of its content
        "rm maps.pk3",
    };
    for (const char* change : changes) {
        SCOPED_TRACE(change);
        scripted.messages->prompts.clear();
        makeArchive(archive(), {"maps/q3dm17.bsp"});
        QByteArray changed;
        reopen([&](const char* step) {
            if (qstrcmp(step, "new archive checked") == 0) {
                run("sh", {"-c", change}, userFolder);
                changed = fingerprint(archive());
            }
        });
        create(archive());
        ASSERT_EQ(prompts().size(), 1);
        EXPECT_TRUE(prompts()[0].startsWith(failure + "\n\nAnother program changed it while Mapwright was adding"))
            << prompts()[0].toStdString();
        EXPECT_TRUE(prompts()[0].endsWith(archive() + " is as the other program left it: Mapwright has not written to it."));
        EXPECT_EQ(fingerprint(archive()), changed);
        EXPECT_EQ(namesIn(userFolder), QFile::exists(archive()) ? "maps.pk3" : "");
        QFile::remove(archive());
    }
}

TEST_F(Pk3Route, TheNewArchiveKeepsTheOldOnesAccessListAndExtendedAttributes)
{
    bool lists = false, userAttributes = false;
    const QString missing = missingAttributeSupport(userFolder, &lists, &userAttributes);
    const std::pair<const char*, bool> cases[] = { // what is done to it, and whether that needs a list
        // The group may only read; the mask, which the mode's group bits
        // show, lets the named user write.
        {"setfacl -m user:nobody:rw,group::r maps.pk3", true},
        {"python3 -c 'import os; os.setxattr(\"maps.pk3\", \"user.note\", b\"kept\")'", false},
        // The new archive would take this folder's default list.
        {"setfacl -d -m user:nobody:rwx .", true},
    };
    for (const auto& [prepare, needsList] : cases) {
        SCOPED_TRACE(prepare);
        if (!(needsList ? lists : userAttributes)) {
            std::cout << "skipped: " << missing.toStdString() << '\n';
            continue;
        }
        scripted.messages->prompts.clear();
        makeArchive(archive(), {"maps/q3dm17.bsp"});
        run("sh", {"-c", QStringLiteral("chmod 640 maps.pk3 && ") + prepare}, userFolder);
        const QByteArray before = attributesOf(archive());
        create(archive());
        EXPECT_EQ(prompts(), QStringList{success});
        EXPECT_EQ(attributesOf(archive()), before);
        run("setfacl", {"-k", "."}, userFolder);
    }
}

TEST_F(Pk3Route, OneRunAtATimeAddsToAnArchiveAndNoneTakesAnotherRunsFolder)
{
    // A run under way in the folder: its working folder is left alone, and
    // the second run says why it does nothing.
    makeArchive(archive(), {"maps/q3dm17.bsp"});
    const QByteArray before = readAll(archive());
    {
        const platform::FolderLock running(userFolder);
        ASSERT_EQ(running.state(), platform::FolderLock::State::Held);
        ASSERT_TRUE(QDir().mkpath(archive(".mapwright-Runnin")));
        create(archive());
    }
    ASSERT_EQ(prompts().size(), 1);
    EXPECT_TRUE(prompts()[0].contains("Another Mapwright is adding to an archive in this folder right now"));
    EXPECT_EQ(readAll(archive()), before);
    EXPECT_TRUE(QFileInfo::exists(archive(".mapwright-Runnin")));

    // Two programs at once on one large archive: whichever says it added
    // its arena has it in the archive.
    QFile::remove(archive());
    ASSERT_TRUE(QFile::copy(largeArchive(), archive()));
    auto first = std::async(std::launch::async, [&] { return runHeadless("first"); });
    const QByteArray second = runHeadless("second");
    const QByteArray firstSaid = first.get();
    const QString entries = entriesOf(archive());
    int added = 0;
    for (const auto& [map, said] : {std::pair{"first", firstSaid}, std::pair{"second", second}}) {
        if (said.contains("message 64: " + success.toUtf8())) {
            ++added;
            EXPECT_TRUE(entries.contains(QStringLiteral("scripts/%1.arena").arg(map))) << entries.toStdString();
        } else {
            EXPECT_TRUE(said.contains("Another Mapwright is adding")) << said.toStdString();
        }
    }
    EXPECT_GE(added, 1);
}

// What an ordinary user meets: an archive or a folder he may not use as the
// route needs, and another's archive that would become his. Each update runs
// as him, with the questions answered as given, and writes down what came
// of it.
TEST(ArchiveUpdate, AnOrdinaryUserIsRefusedWhatCannotBeDoneSafelyAndAskedBeforeAnArchiveChangesHands)
{
    struct Case {
        const char* prepare; // run by the tests' user, root for the rows that make another user's archive
        bool needsRoot;
        QList<bool> answers;
        QString outcome; // the result, the reason or what was not kept, and the question asked
    };
    const QString rootsQuestion = "This archive belongs to root; once updated it will belong to you. Go on?";
    const Case cases[] = {
        {"chmod 444 maps.pk3", false, {}, "Failed: You may not change this archive.\n"},
        {"chmod 333 .", false, {},
         "Failed: Mapwright cannot make sure that no other Mapwright adds to an archive in its folder at the same "
         "time, and so would risk losing one of the two: you may not list what is in its folder.\n"},
        {"chmod 646 maps.pk3", true, {false}, "Declined: \n" + rootsQuestion},
        {"python3 -c 'import os; os.setxattr(\"maps.pk3\", \"security.mapwright\", b\"root only\")'", true, {true},
         "Updated: These extended attributes of the archive could not be kept: security.mapwright (Operation not "
         "permitted).\n" + rootsQuestion},
        // Its group may do more than others.
        {"chown nobody:root maps.pk3 && chmod 676 maps.pk3", true, {true},
         "Updated: \nThis archive belongs to the group root; once updated it will belong to your group nogroup. Go "
         "on?"},
    };
    const char* results[] = {"Updated", "Failed", "ArchiveChanged", "Declined"};
    QTemporaryDir staging, reports;
    writeFile(staging.filePath("x.arena"), "x");
    ::chmod(QFile::encodeName(staging.path()).constData(), 0755);
    ::chmod(QFile::encodeName(reports.path()).constData(), 0777);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.prepare);
        if (test.needsRoot && ::geteuid() != 0)
            continue; // only root can make another user's archive
        QTemporaryDir folder;
        const QString archive = folder.filePath("maps.pk3"), report = reports.filePath("report");
        makeArchive(archive, {"maps/q3dm17.bsp"});
        run("sh", {"-c", QStringLiteral("chmod 777 . && chmod 666 maps.pk3 && ") + test.prepare}, folder.path());
        const QByteArray before = readAll(archive);
        asOrdinaryUser([&] {
            ScriptedServices scripted;
            scripted.messages->answers = test.answers;
            const editor::ArchiveUpdateOutcome outcome =
                editor::updateArchive(nullptr, scripted.services(), {archive, staging.path(), "x.arena", "x"});
            writeFile(report, QStringLiteral("%1: %2%3\n%4")
                                  .arg(results[int(outcome.result)], outcome.reason, outcome.notKept.join(' '),
                                       scripted.messages->questions.join('\n'))
                                  .toUtf8());
            return 0;
        });
        ::chmod(QFile::encodeName(folder.path()).constData(), 0700);
        EXPECT_EQ(QString::fromUtf8(readAll(report)), test.outcome);
        EXPECT_EQ(namesIn(folder.path()), "maps.pk3") << "nothing of the route's left beside the archive";
        if (!test.outcome.startsWith("Updated")) {
            EXPECT_EQ(readAll(archive), before);
            continue;
        }
        EXPECT_EQ(entriesOf(archive), "maps/q3dm17.bsp | scripts/x.arena");
        EXPECT_EQ(std::pair(QFileInfo(archive).ownerId(), QFileInfo(archive).groupId()), std::pair(65534u, 65534u))
            << "his, as he was told";
        EXPECT_EQ(QFileInfo(archive).permissions() & 0x0fff, QFileDevice::Permissions(0x0666));
    }
}
