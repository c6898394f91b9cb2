#pragma once

#include <QString>
#include <QStringList>

namespace editor {

// The archiver, Info-ZIP zip, as it lies in the program's folder.
inline constexpr const char* archiverFileName = "zip";

// Adds a file to the archive under the entry name given, its path relative
// to the folder zip runs in.
QStringList archiverAddArguments(const QString& archivePath, const QString& entryName);

// Deletes the named entries, exactly as the archive stores them.
QStringList archiverDeleteArguments(const QString& archivePath, const QStringList& entryNames);

} // namespace editor
