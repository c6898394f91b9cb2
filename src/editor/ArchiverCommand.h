#pragma once

#include <QString>
#include <QStringList>

namespace editor {

// The archiver's file name in the program's folder.
QString archiverFileName();

// The command line that adds the staged file to the archive on Windows:
//   "C:\Tools\zip.exe" "D:\Games\maps.pk3" "C:\SCRIPTS\q3dm17.arena"
// The program's path is quoted, since a folder such as "C:\Program Files"
// would otherwise be cut at its space.
QString archiverCommandLine(const QString& programFolder, const QString& archivePath, const QString& stagedFileName);

// The same run as a program and its arguments. It runs in the folder that
// stands for drive C and names the staged file relative to it, so that the
// archive's entry is scripts/<file>, the folder the game reads.
QStringList archiverArguments(const QString& archivePath, const QString& stagedRelativePath);

} // namespace editor
