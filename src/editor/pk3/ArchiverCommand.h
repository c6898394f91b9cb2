// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayList>
#include <QString>
#include <QStringList>

namespace editor {

// The archiver, Info-ZIP zip, as it lies in the program's folder or on PATH.
inline constexpr const char* archiverFileName = "zip";

// zip is given the entries' names on its standard input (archiverNames),
// byte for byte: an entry's name need not be text, and a command line
// holds only text.

// Adds the named files, their paths relative to the folder zip runs in,
// under those entry names. zip reads `input` (none for a new archive) and
// writes the result to `output`, leaving `input` as it was; with no input
// it makes `output` anew or updates it.
QStringList archiverAddArguments(const QString& input, const QString& output);

// Writes `input` without the named entries, exactly as it stores them, to
// `output`.
QStringList archiverDeleteArguments(const QString& input, const QString& output);

// The names as zip reads them from its standard input: one a line.
QByteArray archiverNames(const QByteArrayList& names);

// Whether zip can be given the name so: it ends a name at a line feed or a
// carriage return.
bool archiverTakesName(const QByteArray& name);

} // namespace editor
