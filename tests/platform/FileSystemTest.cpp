#include "editor/Module1.h"
#include "platform/FileSystem.h"
#include "support/Testing.h"

using platform::FileSystem;
using testing_support::writeFile;

TEST(DriveC, FolderExistsFindsFoldersOnlyWhateverTheirCase)
{
    QTemporaryDir temp;
    FileSystem fs{temp.path()};
    EXPECT_EQ(editor::FolderExists(fs, "c:\\Scripts\\"), 0) << "missing";
    writeFile(temp.filePath("scripts"), "x");
    EXPECT_EQ(editor::FolderExists(fs, "c:\\Scripts\\"), 0) << "a plain file of that name";
    QFile::remove(temp.filePath("scripts"));
    ASSERT_TRUE(QDir(temp.path()).mkdir("SCRIPTS"));
    EXPECT_EQ(editor::FolderExists(fs, "c:\\Scripts\\"), -1) << "empty";
}

TEST(DriveC, OneEntryAnswersToEveryCaseOfItsNameAndKillTakesNoPattern)
{
    QTemporaryDir temp;
    FileSystem fs{temp.path()};
    for (const char* folder : {"scripts", "Scripts"})
        ASSERT_TRUE(QDir(temp.path()).mkdir(folder));
    for (const char* name : {"c:\\scripts\\", "C:\\SCRIPTS\\", "scripts", "c:\\Scripts"})
        EXPECT_EQ(fs.hostPath(name), temp.filePath("Scripts")) << name;

    ASSERT_TRUE(fs.ChDir("C:\\scripts\\"));
    writeFile(temp.filePath("Scripts/*.arena"), "x");
    writeFile(temp.filePath("Scripts/keep.arena"), "x");
    EXPECT_EQ(fs.Dir("c:\\Scripts\\*.pk3", 0), QString());
    EXPECT_FALSE(fs.RmDir("C:\\scripts")) << "not empty";
    EXPECT_TRUE(fs.Kill("*.ARENA"));
    EXPECT_EQ(QDir(temp.filePath("Scripts")).entryList(QDir::Files), QStringList{"keep.arena"}) << "no pattern";
}
