#include "editor/Module1.h"
#include "platform/FileSystem.h"
#include "support/Files.h"
#include "support/QtPrinting.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::FileSystem;

namespace {

void writeFile(const QString& path)
{
    testing_support::writeFile(path, "x");
}

class DriveC : public ::testing::Test {
protected:
    QTemporaryDir temp;
    QString root = temp.filePath("drive-c");
    FileSystem fs{root};

    void SetUp() override { ASSERT_TRUE(fs.prepareDrive()); }
    QString at(const QString& relative) const { return QDir(root).filePath(relative); }
};

} // namespace

TEST_F(DriveC, IsPrivateAndFolderExistsFindsFoldersOnlyWhateverTheirCase)
{
    EXPECT_EQ(QFileInfo(root).permissions() & ~(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser),
              QFileDevice::Permissions());
    EXPECT_EQ(editor::FolderExists(fs, "c:\\Scripts\\"), 0) << "missing";

    writeFile(at("scripts"));
    EXPECT_EQ(editor::FolderExists(fs, "c:\\Scripts\\"), 0) << "a plain file of that name";
    QFile::remove(at("scripts"));

    ASSERT_TRUE(QDir(root).mkdir("scripts"));
    EXPECT_EQ(editor::FolderExists(fs, "c:\\Scripts\\"), -1) << "empty";
    writeFile(at("scripts/a.arena"));
    EXPECT_EQ(editor::FolderExists(fs, "c:\\Scripts\\"), -1) << "with files";
    EXPECT_EQ(editor::FolderExists(fs, "C:\\SCRIPTS\\"), -1);
}

TEST_F(DriveC, OneFolderAnswersToEveryCaseOfItsName)
{
    ASSERT_TRUE(fs.ChDir("C:\\"));
    ASSERT_TRUE(fs.ChDrive("C:\\"));
    ASSERT_TRUE(fs.MkDir("scripts"));
    EXPECT_FALSE(fs.MkDir("SCRIPTS")) << "already there";
    ASSERT_TRUE(fs.ChDir("C:\\scripts\\"));
    writeFile(fs.hostPath("C:\\scripts\\q3dm17.arena"));

    EXPECT_EQ(fs.hostPath("C:\\SCRIPTS\\q3dm17.arena"), at("scripts/q3dm17.arena"));
    EXPECT_EQ(fs.hostPath("c:\\Scripts\\"), at("scripts"));
    EXPECT_EQ(fs.hostPath("q3dm17.arena"), at("scripts/q3dm17.arena")) << "relative to the current directory";
    EXPECT_EQ(fs.Dir("c:\\Scripts\\*.arena", 0), QString("q3dm17.arena"));
    EXPECT_EQ(fs.Dir("c:\\Scripts\\*.pk3", 0), QString());
    EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"scripts"});
}

TEST_F(DriveC, StaysOnItsOwnDrive)
{
    EXPECT_EQ(fs.hostPath("C:\\..\\..\\escape"), at("escape"));
    EXPECT_EQ(fs.hostPath("D:\\Games\\maps.pk3"), QString());
    EXPECT_FALSE(fs.ChDrive("D:\\"));
    EXPECT_FALSE(fs.ChDir("C:\\missing\\"));
    EXPECT_EQ(fs.Dir("C:\\missing\\*.*", FileSystem::Directory), std::nullopt);
}

TEST_F(DriveC, RemovesOnlyEmptyFoldersAndExactlyTheNamedFile)
{
    ASSERT_TRUE(fs.MkDir("scripts"));
    writeFile(at("scripts/*.arena"));
    writeFile(at("scripts/keep.arena"));

    EXPECT_FALSE(fs.RmDir("SCRIPTS")) << "not empty";
    EXPECT_FALSE(fs.Kill("C:\\SCRIPTS\\")) << "a folder is no file";
    EXPECT_TRUE(fs.Kill("C:\\SCRIPTS\\*.arena"));
    EXPECT_TRUE(QFile::exists(at("scripts/keep.arena"))) << "the name is no pattern";
    EXPECT_FALSE(fs.Kill("C:\\SCRIPTS\\*.arena"));

    EXPECT_TRUE(fs.Kill("C:\\scripts\\KEEP.arena"));
    EXPECT_TRUE(fs.RmDir("SCRIPTS"));
    EXPECT_FALSE(QFileInfo::exists(at("scripts")));
}
