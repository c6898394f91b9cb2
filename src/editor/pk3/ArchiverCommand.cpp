// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/pk3/ArchiverCommand.h"

namespace editor {

// -nw: names are literal, so a map named "dm[1]" is not taken for a pattern.
// -O: the result goes to a file of its own.
// -@: the names come on standard input.

QStringList archiverAddArguments(const QString& input, const QString& output)
{
    if (input.isEmpty())
        return {QStringLiteral("-nw"), output, QStringLiteral("-@")};
    return {QStringLiteral("-nw"), QStringLiteral("-O"), output, input, QStringLiteral("-@")};
}

QStringList archiverDeleteArguments(const QString& input, const QString& output)
{
    return {QStringLiteral("-nw"), QStringLiteral("-O"), output, input, QStringLiteral("-d"), QStringLiteral("-@")};
}

QByteArray archiverNames(const QByteArrayList& names)
{
    QByteArray lines;
    for (const QByteArray& name : names)
        lines += name + '\n';
    return lines;
}

bool archiverTakesName(const QByteArray& name)
{
    return !name.isEmpty() && !name.contains('\n') && !name.contains('\r');
}

} // namespace editor
