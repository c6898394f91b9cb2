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

TEST_F(DriveC, OneFolderAnswersToEveryCaseAndNothingLeavesTheDrive)
{
    ASSERT_TRUE(fs.MkDir("scripts"));
    ASSERT_TRUE(fs.ChDir("C:\\SCRIPTS\\"));
    writeFile(at("scripts/*.arena"));
    writeFile(at("scripts/keep.arena"));
    EXPECT_EQ(fs.hostPath("Keep.arena"), at("scripts/keep.arena")) << "relative to the current directory";
    EXPECT_EQ(fs.Dir("c:\\Scripts\\*.pk3", 0), QString());

    EXPECT_FALSE(fs.RmDir("C:\\scripts")) << "not empty";
    EXPECT_TRUE(fs.Kill("C:\\SCRIPTS\\*.arena"));
    EXPECT_TRUE(QFile::exists(at("scripts/keep.arena"))) << "the name is no pattern";

    EXPECT_EQ(fs.hostPath("C:\\..\\..\\escape"), at("escape"));
    EXPECT_EQ(fs.hostPath("D:\\Games\\maps.pk3"), QString());
    EXPECT_FALSE(fs.ChDrive("D:\\"));
}
