#include "editor/ArenaText.h"
#include "support/Files.h"
#include "support/MainWindowUser.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

using namespace testing_support;

namespace {

const QString success = "The requested task was successfully completed.";
const QString failure = "Sorry, there was an error creating the file. Please fill in the feedback form at the address "
                        "in the About box and we will try to help you.";

QByteArray unzip(const QStringList& arguments)
{
    QProcess process;
    process.start("unzip", arguments);
    process.waitForFinished();
    return process.readAllStandardOutput();
}

QStringList entriesOf(const QString& archive)
{
    QStringList entries = QString::fromUtf8(unzip({"-Z1", archive})).split('\n', Qt::SkipEmptyParts);
    entries.sort();
    return entries;
}

QStringList everythingIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

class Pk3Route : public MainWindowUser {
protected:
    QTemporaryDir temp;
    QString programFolder = temp.filePath("program folder");
    QString driveRoot = temp.filePath("private/drive-c");
    QString userFolder = temp.filePath("maps");

    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(programFolder) && QDir().mkpath(userFolder));
        const QString zip = QStandardPaths::findExecutable("zip");
        ASSERT_TRUE(QFile::link(zip, QDir(programFolder).filePath("zip"))) << "the tests need Info-ZIP zip";
        openWindow({programFolder, driveRoot});
        tickGameType(0);
        choose("aPk3");
        setFields("The Longest Yard", "q3dm17");
    }
    static QByteArray arena(const QString& title, const QString& map = "q3dm17")
    {
        return editor::arenaText({map, "", title, "10", "ffa"});
    }
    QString archive(const QString& name = "maps.pk3") const { return QDir(userFolder).filePath(name); }
    QString staging(const QString& name = QString()) const { return QDir(driveRoot).filePath("scripts/" + name); }
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
    EXPECT_EQ(scripted.messages->shown.at(0).style, 64);
    EXPECT_EQ(entriesOf(archive()), QStringList{"scripts/q3dm17.arena"});
    EXPECT_EQ(TempSettings::remembered("Pk3"), archive());
    EXPECT_EQ(TempSettings::remembered(".Arena"), "") << "the save route's name is its own";
    EXPECT_FALSE(QFileInfo::exists(staging())) << "the staging folder the route made is gone";

    // Other entries stay, its own is replaced, names are taken literally, a
    // link is followed, and the user's default zip options (here: junk the
    // paths) never reach the archiver.
    ASSERT_TRUE(QDir(userFolder).mkpath("maps"));
    writeFile(QDir(userFolder).filePath("maps/q3dm17.bsp"), "level data");
    QProcess seed;
    seed.setWorkingDirectory(userFolder);
    seed.start("zip", {"-q", archive(), "maps/q3dm17.bsp"});
    ASSERT_TRUE(seed.waitForFinished());
    qputenv("ZIPOPT", "-j");
    const auto restore = qScopeGuard([] { qunsetenv("ZIPOPT"); });
    setFields("Second Title", "q3dm17");
    create(archive());
    ASSERT_TRUE(QFile::link(archive(), archive("link.pk3")));
    setFields("Brackets", "dm [1]");
    create(archive("link.pk3"));

    EXPECT_EQ(prompts(), QStringList(3, success));
    EXPECT_TRUE(QFileInfo(archive("link.pk3")).isSymLink());
    EXPECT_EQ(entriesOf(archive()), (QStringList{"maps/q3dm17.bsp", "scripts/dm [1].arena", "scripts/q3dm17.arena"}));
    EXPECT_EQ(unzip({"-p", archive(), "maps/q3dm17.bsp"}), QByteArray("level data"));
    EXPECT_EQ(unzip({"-p", archive(), "scripts/q3dm17.arena"}), arena("Second Title"));
    EXPECT_EQ(unzip({"-p", archive(), "scripts/dm [[]1].arena"}), arena("Brackets", "dm [1]"));
}

TEST_F(Pk3Route, CancelAndFailuresLeaveEverythingAsItWas)
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
    EXPECT_EQ(scripted.messages->shown.at(0).style, 48);
    EXPECT_EQ(readAll(archive("notes.pk3")), QByteArray("my notes, not an archive"));
    EXPECT_EQ(everythingIn(userFolder), (QStringList{"link.pk3", "notes.pk3"})) << "no working copies left";
    EXPECT_EQ(TempSettings::remembered("Pk3"), "");
    EXPECT_FALSE(QFileInfo::exists(staging()));

    // A map name that leaves the staging folder is refused before it can
    // write, and then delete, a file beside it.
    const QString outside = temp.filePath("private/victim.arena");
    writeFile(outside, "precious");
    setFields("Yard", "../victim");
    create(archive("notes.pk3"));
    EXPECT_TRUE(prompts().last().contains("../victim"));
    EXPECT_EQ(readAll(outside), QByteArray("precious"));
}

TEST_F(Pk3Route, AStagingFolderThatWasThereStaysWithEverythingInIt)
{
    ASSERT_TRUE(QDir().mkpath(staging()));
    writeFile(staging("readme.txt"), "mine");
    writeFile(staging("q3dm17.arena"), "my own arena file");

    create(archive());
    writeFile(archive("broken.pk3"), "not a zip");
    create(archive("broken.pk3"));

    EXPECT_EQ(prompts(), (QStringList{success, failure}));
    EXPECT_EQ(unzip({"-p", archive(), "scripts/q3dm17.arena"}), arena("The Longest Yard"));
    EXPECT_EQ(everythingIn(staging()), (QStringList{"q3dm17.arena", "readme.txt"}));
    EXPECT_EQ(readAll(staging("readme.txt")), QByteArray("mine"));
    EXPECT_EQ(readAll(staging("q3dm17.arena")), QByteArray("my own arena file"));
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
    QString progressText;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget())) {
            progressText = progress->labelText();
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        }
    });
    poll.start(50);
    QElapsedTimer clock;
    clock.start();
    create(archive());

    EXPECT_TRUE(progressText.contains("q3dm17.arena")) << progressText.toStdString();
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(prompts(), (QStringList{success, failure}));
    EXPECT_EQ(readAll(archive()), QByteArray("an archive to leave alone"));
    EXPECT_FALSE(QFileInfo::exists(staging()));
}
