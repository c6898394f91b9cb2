#include "editor/ArchiveWorkingCopy.h"
#include "editor/ArenaText.h"
#include "support/MainWindowUser.h"
#include "support/OrdinaryUser.h"

namespace {

const QString success = "The requested task was successfully completed.";
const QString failure = "Sorry, there was an error creating the file. Please fill in the feedback form at the address "
                        "in the About box and we will try to help you.";

QByteArray run(const QString& program, const QStringList& arguments, const QString& folder = QString())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    process.waitForFinished();
    return process.readAllStandardOutput();
}

QString entriesOf(const QString& archive)
{
    QStringList entries = QString::fromUtf8(run("unzip", {"-Z1", archive})).split('\n', Qt::SkipEmptyParts);
    entries.sort();
    return entries.join(" | ");
}

// Makes an archive holding the given entries, each holding its own name.
void makeArchive(const QString& archive, const QStringList& entries, const QStringList& options = {})
{
    QTemporaryDir seed;
    for (const QString& name : entries) {
        QDir(seed.path()).mkpath(QFileInfo(name).path());
        writeFile(seed.filePath(name), name.toUtf8());
    }
    run("zip", QStringList{"-q", "-nw"} + options + QStringList{"seed.pk3"} + entries, seed.path());
    QFile::remove(archive);
    ASSERT_TRUE(QFile::rename(seed.filePath("seed.pk3"), archive));
}

// Stops the work of every progress window that opens, noting its text.
struct ProgressStopper {
    QString text;
    QTimer poll;
    ProgressStopper()
    {
        QObject::connect(&poll, &QTimer::timeout, [this] {
            if (auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget())) {
                text = progress->labelText();
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
        ASSERT_TRUE(QFile::link(QStandardPaths::findExecutable("zip"), QDir(programFolder).filePath("zip")))
            << "the tests need Info-ZIP zip";
        reopen();
    }
    void reopen(platform::HardLinker hardLink = platform::makeHardLink)
    {
        openWindow({programFolder, driveRoot}, std::move(hardLink));
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
};

} // namespace

TEST_F(Pk3Route, CreatesOrUpdatesTheArchiveWithTheEntryWhereTheGameLooks)
{
    create(archive());
    EXPECT_EQ(scripted.messages->styles.at(0), 64);
    EXPECT_EQ(entriesOf(archive()), "scripts/q3dm17.arena");
    EXPECT_EQ(TempSettings::remembered("Pk3"), archive());
    EXPECT_EQ(TempSettings::remembered(".Arena"), "") << "the save route's name is its own";

    // Other entries stay; its own, and those the game takes for it (another
    // letter case), give way to the new one. Names are taken literally, a
    // link is followed, the user's default zip options (here: junk the
    // paths) never reach the archiver, and a name without an extension is
    // the file zip writes, new or not. Zip64 archives count too.
    makeArchive(archive(), {"maps/q3dm17.bsp", "SCRIPTS/q3dm17.arena", "Scripts/Q3DM17.ARENA", "scripts/q3dm17.arena"});
    makeArchive(archive("old"), {"maps/old.bsp", "SCRIPTS/Q3DM17.arena"}, {"-fz"});
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
    writeFile(archive("broken.pk3"), "not a zip");
    create(archive("broken.pk3"));

    EXPECT_EQ(prompts(), (QStringList{success, success, failure}));
    EXPECT_EQ(entriesOf(archive()), "scripts/*.arena | scripts/q3dm17.arena");
    EXPECT_EQ(run("unzip", {"-p", archive(), "scripts/q3dm17.arena"}), arena("The Longest Yard"));
    for (const QString& file : usersFiles)
        EXPECT_EQ(readAll(drive(file)), file.toUtf8());
    EXPECT_EQ(namesIn(driveRoot) + " / " + namesIn(drive("SCRIPTS")) + " / " + namesIn(drive()),
              "SCRIPTS scripts / Q3DM17.arena readme.txt / q3dm17.arena");
}

TEST_F(Pk3Route, CancelAndFailuresBeforeTheArchiverEndsLeaveEverythingAsItWas)
{
    create();
    EXPECT_FALSE(QFileInfo::exists(driveRoot)) << "Cancel touches nothing";
    QFile::remove(QDir(programFolder).filePath("zip"));
    create(archive());
    EXPECT_FALSE(QFileInfo::exists(archive())) << "no archiver, no archive";

    // Now one that refuses the file chosen, and one that dies half-way
    // through replacing an archive (reached once through a link).
    writeFile(archive("notes.pk3"), "my notes, not an archive");
    replaceArchiverWithScript("exec zip \"$@\"\n");
    create(archive("notes.pk3"));
    replaceArchiverWithScript("rm -f \"$2\"\necho partial > \"$2.tmp\"\nkill -9 $$\n");
    ASSERT_TRUE(QFile::link(archive("notes.pk3"), archive("link.pk3")));
    create(archive("notes.pk3"));
    create(archive("link.pk3"));

    EXPECT_EQ(prompts(), QStringList(4, failure)) << "no success message before an error";
    EXPECT_EQ(scripted.messages->styles.at(0), 48);
    EXPECT_EQ(readAll(archive("notes.pk3")), QByteArray("my notes, not an archive"));
    EXPECT_EQ(namesIn(userFolder), "link.pk3 notes.pk3") << "no working copies left";
    EXPECT_EQ(TempSettings::remembered("Pk3"), "");
    EXPECT_FALSE(QFileInfo::exists(drive()));

    // A map name that is no plain file name is refused before it can write,
    // and then delete, a file elsewhere.
    writeFile(drive("../victim.arena"), "precious");
    for (const char* map : {"../victim", ".."}) {
        setFields("Yard", map);
        create(archive("notes.pk3"));
        EXPECT_TRUE(prompts().last().contains(QStringLiteral("\"%1\"").arg(map))) << prompts().last().toStdString();
    }
    EXPECT_TRUE(prompts().last().contains("names a folder"));
    EXPECT_EQ(readAll(drive("../victim.arena")), QByteArray("precious"));

    // A file that cannot be staged never reaches the archiver.
    const QString started = temp.filePath("archiver started");
    replaceArchiverWithScript("touch '" + started.toUtf8() + "'\nexec zip \"$@\"\n");
    setFields("Yard", QString(250, 'm')); // too long a name for a file here
    create(archive());
    writeFile(drive(), "a file where the folder would be");
    setFields("Yard", "q3dm17");
    create(archive());

    EXPECT_EQ(prompts().mid(prompts().size() - 2), QStringList(2, failure));
    EXPECT_FALSE(QFileInfo::exists(started));
    EXPECT_EQ(readAll(drive()), QByteArray("a file where the folder would be"));
}

TEST_F(Pk3Route, FailuresAfterTheSuccessMessageAreReportedAndWhatIsLeftIsNamed)
{
    // The setting cannot be stored: a folder stands where its file goes.
    ASSERT_TRUE(QDir().mkpath(settings.iniPath()));
    create(archive());
    EXPECT_EQ(prompts(), (QStringList{success, failure}));
    EXPECT_FALSE(QFileInfo::exists(drive()));
    ASSERT_TRUE(QDir(settings.iniPath()).removeRecursively());

    // An archiver that leaves a folder where the staged file was.
    replaceArchiverWithScript("zip \"$@\" || exit 1\nrm \"$3\"\nmkdir \"$3\"\n");
    create(archive());
    ASSERT_EQ(prompts().size(), 5);
    EXPECT_EQ(prompts().mid(2, 2), (QStringList{success, failure}));
    EXPECT_TRUE(prompts().last().contains(drive("scripts/q3dm17.arena"))) << prompts().last().toStdString();
    EXPECT_EQ(entriesOf(archive()), "scripts/q3dm17.arena");
}

TEST_F(Pk3Route, WaitsForTheArchiverShowsProgressAndCanStopIt)
{
    // The staged file stays until an archiver that reads it late has ended.
    const QString copy = temp.filePath("what-the-archiver-read");
    replaceArchiverWithScript("sleep 1\ncat \"$3\" > '" + copy.toUtf8() + "'\ntouch \"$2\"\n");
    create(archive());
    EXPECT_EQ(readAll(copy), arena("The Longest Yard"));

    replaceArchiverWithScript("exec sleep 30\n");
    writeFile(archive(), "an archive to leave alone");
    const ProgressStopper stopper;
    create(archive());
    EXPECT_EQ(stopper.text, "Adding q3dm17.arena to maps.pk3...");
    EXPECT_EQ(prompts(), (QStringList{success, failure}));
    EXPECT_EQ(readAll(archive()), QByteArray("an archive to leave alone"));
    EXPECT_FALSE(QFileInfo::exists(drive()));
}

TEST_F(Pk3Route, WithoutAHardLinkTheArchiveIsCopiedStoppablyWhereThereIsRoomForIt)
{
    reopen([](const QString&, const QString&) { return false; });
    makeArchive(archive(), {"maps/q3dm17.bsp"});
    create(archive());
    EXPECT_EQ(entriesOf(archive()), "maps/q3dm17.bsp | scripts/q3dm17.arena");

    // A large archive: the copy shows its progress, and Stop leaves it alone.
    QFile large(archive("large.pk3"));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly) && large.resize(qint64(2) << 30));
    ProgressStopper stopper;
    create(archive("large.pk3"));
    EXPECT_EQ(stopper.text, "Copying large.pk3...");

    // One the copy would leave no room for is refused before any copying.
    stopper.text.clear();
    ASSERT_TRUE(large.resize(QStorageInfo(userFolder).bytesAvailable() / 2 + (qint64(1) << 30)));
    create(archive("large.pk3"));
    EXPECT_EQ(stopper.text, "");
    ASSERT_EQ(prompts().size(), 3);
    EXPECT_EQ(prompts().mid(0, 2), (QStringList{success, failure}));
    EXPECT_TRUE(prompts().last().startsWith("There is not enough free space")) << prompts().last().toStdString();
    EXPECT_EQ(namesIn(userFolder), "large.pk3 maps.pk3") << "no copy left";
}

TEST(ArchiveWorkingCopy, AnArchiveTheUserMayNotWriteIsRefusedEvenInAFolderHeMayWrite)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFileDevice::Permissions(0x7777)));
    const QString archive = folder.filePath("maps.pk3");
    writeFile(archive, "the archive");
    QFile::setPermissions(archive, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const int status = asOrdinaryUser(
        [&] { return int(editor::ArchiveWorkingCopy(archive, platform::makeHardLink).prepare(nullptr).status); });
    EXPECT_EQ(status, int(editor::ArchiveWorkingCopy::Preparation::Status::Refused));
    EXPECT_EQ(readAll(archive), QByteArray("the archive"));
    EXPECT_EQ(namesIn(folder.path()), "maps.pk3");
}
