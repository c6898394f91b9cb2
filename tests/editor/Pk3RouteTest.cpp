#include "editor/ArenaText.h"
#include "editor/Form1.h"
#include "platform/SettingsStore.h"
#include "support/ScriptedServices.h"
#include "support/TempSettings.h"
#include "support/UserInput.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const QString success = "The requested task was successfully completed.";
const QString failure = "Sorry, there was an error creating the file. Please fill in the feedback form at the address "
                        "in the About box and we will try to help you.";

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

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

QByteArray entryBytes(const QString& archive, const QString& entry)
{
    return unzip({"-p", archive, entry});
}

QString remembered(const char* key)
{
    return platform::SettingsStore().read("Mapwright", "Filenames", key);
}

class Pk3Route : public ::testing::Test {
protected:
    TempSettings settings;
    QTemporaryDir temp;
    QString programFolder = temp.filePath("program folder");
    QString driveRoot = temp.filePath("private/drive-c");
    QString userFolder = temp.filePath("maps");
    ScriptedServices scripted;
    std::unique_ptr<editor::Form1> window;

    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(programFolder));
        ASSERT_TRUE(QDir().mkpath(userFolder));
        const QString zip = QStandardPaths::findExecutable("zip");
        ASSERT_FALSE(zip.isEmpty()) << "the tests need Info-ZIP zip";
        ASSERT_TRUE(QFile::link(zip, QDir(programFolder).filePath("zip")));
        platform::Services services = scripted.services();
        services.locations = {programFolder, driveRoot};
        window = std::make_unique<editor::Form1>(services);
        clickIndicator(control<QCheckBox>(*window, "typeselect_0"));
        clickIndicator(control<QRadioButton>(*window, "aPk3"));
        setFields("The Longest Yard", "q3dm17");
    }

    void setFields(const QString& title, const QString& map)
    {
        control<QLineEdit>(*window, "longname")->setText(title);
        control<QLineEdit>(*window, "filename")->setText(map);
    }

    void create(const QString& archive)
    {
        scripted.dialog->answer(archive);
        QTest::mouseClick(control<QPushButton>(*window, "Command4"), Qt::LeftButton);
    }

    QByteArray expectedText(const QString& title, const QString& map = "q3dm17") const
    {
        return editor::arenaText({map, "", title, "10", "ffa"});
    }
    QString archive(const QString& name = "maps.pk3") const { return QDir(userFolder).filePath(name); }
    QString staging(const QString& name = QString()) const { return QDir(driveRoot).filePath("scripts/" + name); }
    QStringList prompts() const { return scripted.messages->prompts(); }

    void replaceArchiverWithScript(const QByteArray& script)
    {
        const QString path = QDir(programFolder).filePath("zip");
        QFile::remove(path);
        writeFile(path, script);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

} // namespace

TEST_F(Pk3Route, CreatesANewArchiveWithTheEntryWhereTheGameLooks)
{
    create(archive());

    EXPECT_EQ(prompts(), QStringList{success});
    EXPECT_EQ(scripted.messages->shown.at(0).style, 64);
    EXPECT_EQ(entriesOf(archive()), QStringList{"scripts/q3dm17.arena"});
    EXPECT_EQ(entryBytes(archive(), "scripts/q3dm17.arena"), expectedText("The Longest Yard"));
    EXPECT_EQ(remembered("Pk3"), archive());
    EXPECT_EQ(remembered(".Arena"), "") << "the save route's name is its own";
    EXPECT_FALSE(QFileInfo::exists(staging())) << "the staging folder the route made is gone";
}

TEST_F(Pk3Route, KeepsTheArchivesOtherEntriesAndReplacesItsOwn)
{
    const QString other = QDir(userFolder).filePath("maps/q3dm17.bsp");
    ASSERT_TRUE(QDir(userFolder).mkpath("maps"));
    writeFile(other, "level data");
    QProcess seed;
    seed.setWorkingDirectory(userFolder);
    seed.start("zip", {"-q", archive(), "maps/q3dm17.bsp"});
    ASSERT_TRUE(seed.waitForFinished());

    create(archive());
    setFields("Second Title", "q3dm17");
    create(archive());

    EXPECT_EQ(prompts(), (QStringList{success, success}));
    EXPECT_EQ(entriesOf(archive()), (QStringList{"maps/q3dm17.bsp", "scripts/q3dm17.arena"}));
    EXPECT_EQ(entryBytes(archive(), "maps/q3dm17.bsp"), QByteArray("level data"));
    EXPECT_EQ(entryBytes(archive(), "scripts/q3dm17.arena"), expectedText("Second Title"));
}

TEST_F(Pk3Route, TakesAMapNameLiterally)
{
    setFields("Yard", "dm [1]");
    create(archive());
    EXPECT_EQ(prompts(), QStringList{success});
    EXPECT_EQ(entriesOf(archive()), QStringList{"scripts/dm [1].arena"});
    EXPECT_EQ(entryBytes(archive(), "scripts/dm [[]1].arena"), expectedText("Yard", "dm [1]"));
}

TEST_F(Pk3Route, AMissingArchiverTakesTheFailurePath)
{
    QFile::remove(QDir(programFolder).filePath("zip"));

    create(archive());

    EXPECT_EQ(prompts(), QStringList{failure});
    EXPECT_EQ(scripted.messages->shown.at(0).style, 48);
    EXPECT_FALSE(QFileInfo::exists(archive()));
    EXPECT_EQ(remembered("Pk3"), "");
    EXPECT_FALSE(QFileInfo::exists(staging()));
}

TEST_F(Pk3Route, AnArchiveTheArchiverRefusesIsLeftAsItWas)
{
    writeFile(archive("notes.pk3"), "these are my notes, not a zip archive");

    create(archive("notes.pk3"));

    EXPECT_EQ(prompts(), QStringList{failure}) << "no success before the error";
    EXPECT_EQ(readAll(archive("notes.pk3")), QByteArray("these are my notes, not a zip archive"));
    EXPECT_EQ(remembered("Pk3"), "");
    EXPECT_EQ(QDir(userFolder).entryList(QDir::Files), QStringList{"notes.pk3"}) << "no temporary copy left";
}

TEST_F(Pk3Route, AStagingFolderThatWasThereStaysWithEverythingInIt)
{
    ASSERT_TRUE(QDir().mkpath(staging()));
    writeFile(staging("readme.txt"), "mine");
    writeFile(staging("q3dm17.arena"), "my own arena file");

    create(archive());
    EXPECT_EQ(prompts(), QStringList{success});
    EXPECT_EQ(entryBytes(archive(), "scripts/q3dm17.arena"), expectedText("The Longest Yard"));

    writeFile(archive("broken.pk3"), "not a zip");
    create(archive("broken.pk3"));
    EXPECT_EQ(prompts().last(), failure);

    QDir folder(staging());
    EXPECT_EQ(folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"q3dm17.arena", "readme.txt"}));
    EXPECT_EQ(readAll(staging("readme.txt")), QByteArray("mine"));
    EXPECT_EQ(readAll(staging("q3dm17.arena")), QByteArray("my own arena file"));
}

TEST_F(Pk3Route, CancelInTheDialogTouchesNothing)
{
    scripted.dialog->cancel();
    QTest::mouseClick(control<QPushButton>(*window, "Command4"), Qt::LeftButton);

    EXPECT_TRUE(prompts().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(staging()));
    EXPECT_FALSE(QFileInfo::exists(archive()));
    EXPECT_EQ(remembered("Pk3"), "");
}

TEST_F(Pk3Route, AMapNameThatLeavesTheStagingFolderIsRefused)
{
    const QString outside = QDir(driveRoot).filePath("../victim.arena");
    ASSERT_TRUE(QDir().mkpath(driveRoot));
    writeFile(outside, "precious");
    setFields("Yard", "../victim");

    create(archive());

    ASSERT_EQ(prompts().size(), 1);
    EXPECT_TRUE(prompts().first().contains("../victim"));
    EXPECT_EQ(readAll(outside), QByteArray("precious"));
    EXPECT_FALSE(QFileInfo::exists(archive()));
}

TEST_F(Pk3Route, ASlowArchiverShowsProgressAndCanBeStopped)
{
    const QString marker = temp.filePath("archiver-started");
    replaceArchiverWithScript("#!/bin/sh\ntouch '" + marker.toUtf8() + "'\nexec sleep 30\n");
    writeFile(archive(), "an archive to leave alone");

    bool sawProgress = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget())) {
            sawProgress = progress->labelText().contains("q3dm17.arena");
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        }
    });
    poll.start(50);
    QElapsedTimer clock;
    clock.start();
    create(archive());

    EXPECT_TRUE(sawProgress);
    EXPECT_TRUE(QFile::exists(marker));
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(prompts(), QStringList{failure});
    EXPECT_EQ(readAll(archive()), QByteArray("an archive to leave alone"));
    EXPECT_EQ(remembered("Pk3"), "");
    EXPECT_FALSE(QFileInfo::exists(staging()));
}

TEST_F(Pk3Route, AnArchiverThatFailsHalfWayCannotHarmTheArchive)
{
    // The archiver's own way of replacing an archive deletes it first; one
    // that dies then must not take the user's archive with it.
    replaceArchiverWithScript("#!/bin/sh\nrm -f \"$2\"\necho partial > \"$2.tmp\"\nkill -9 $$\n");
    writeFile(archive(), "precious archive");
    const QString link = archive("link.pk3");
    ASSERT_TRUE(QFile::link(archive(), link));

    create(archive());
    create(link);

    EXPECT_EQ(prompts(), (QStringList{failure, failure}));
    EXPECT_EQ(readAll(archive()), QByteArray("precious archive"));
    EXPECT_EQ(QDir(userFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"link.pk3", "maps.pk3"}))
        << "no working files left beside the archive";
}

TEST_F(Pk3Route, AnArchiveReachedThroughALinkIsUpdatedWhereItLies)
{
    const QString link = archive("link.pk3");
    ASSERT_TRUE(QFile::link(archive(), link));
    create(archive());
    create(link);

    EXPECT_EQ(prompts(), (QStringList{success, success}));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(entriesOf(archive()), QStringList{"scripts/q3dm17.arena"});
}

TEST_F(Pk3Route, TheStagedFileStaysUntilTheArchiverHasEnded)
{
    // An archiver that reads the staged file only after a while.
    const QString copy = temp.filePath("what-the-archiver-read");
    replaceArchiverWithScript("#!/bin/sh\nsleep 1\ncat \"$3\" > '" + copy.toUtf8() + "'\ntouch \"$2\"\n");

    create(archive());

    EXPECT_EQ(prompts(), QStringList{success});
    EXPECT_EQ(readAll(copy), expectedText("The Longest Yard"));
}
