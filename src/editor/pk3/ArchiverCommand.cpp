// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/pk3/ArchiverCommand.h"

namespace editor {

// -nw: names are literal, so a map named "dm[1]" is not taken for a pattern.
// -O: the result goes to a file of its own.

QStringList archiverAddArguments(const QString& input, const QString& entryName, const QString& output)
{
    if (input.isEmpty())
        return {QStringLiteral("-nw"), output, entryName};
    return {QStringLiteral("-nw"), QStringLiteral("-O"), output, input, entryName};
}

QStringList archiverDeleteArguments(const QString& input, const QStringList& entryNames, const QString& output)
{
    return QStringList{QStringLiteral("-nw"), QStringLiteral("-O"), output, input, QStringLiteral("-d")} + entryNames;
}

} // namespace editor
