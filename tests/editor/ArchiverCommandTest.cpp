#include "editor/ArchiverCommand.h"
#include "support/QtPrinting.h"

#include <gtest/gtest.h>

using namespace editor;

TEST(ArchiverCommand, BuildsTheWindowsCommandLineWithTheProgramQuoted)
{
    EXPECT_EQ(archiverCommandLine("C:\\Tools", "D:\\Games\\maps.pk3", "q3dm17.arena"),
              R"("C:\Tools\zip.exe" "D:\Games\maps.pk3" "C:\SCRIPTS\q3dm17.arena")");
    EXPECT_EQ(archiverCommandLine("C:\\Program Files\\Mapwright", "D:\\my maps\\a.pk3", "dm 1.arena"),
              R"("C:\Program Files\Mapwright\zip.exe" "D:\my maps\a.pk3" "C:\SCRIPTS\dm 1.arena")");
    // A program at a drive's root has a folder that ends in a backslash.
    EXPECT_EQ(archiverCommandLine("C:\\", "D:\\maps.pk3", "q3dm17.arena"),
              R"("C:\\zip.exe" "D:\maps.pk3" "C:\SCRIPTS\q3dm17.arena")");
}

TEST(ArchiverCommand, GivesTheArgumentsLiterally)
{
    EXPECT_EQ(archiverArguments("/home/me/maps.pk3", "scripts/dm[1].arena"),
              (QStringList{"-nw", "/home/me/maps.pk3", "scripts/dm[1].arena"}));
}
