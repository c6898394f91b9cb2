// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace editor {

// The archiver, Info-ZIP zip, as it lies in the program's folder or on PATH.
inline constexpr const char* archiverFileName = "zip";

// Adds a file, its path relative to the folder zip runs in, under that entry
// name. zip reads `input` (none for a new archive) and writes the result to
// `output`, leaving `input` as it was; with no input it makes `output` anew
// or updates it.
QStringList archiverAddArguments(const QString& input, const QString& entryName, const QString& output);

// Writes `input` without the named entries, exactly as it stores them, to
// `output`.
QStringList archiverDeleteArguments(const QString& input, const QStringList& entryNames, const QString& output);

} // namespace editor
