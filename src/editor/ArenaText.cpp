// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ArenaText.h"

#include "editor/Windows1252.h"

namespace editor {

namespace {

// Each key line starts with the key, padding and the opening quote, 17
// characters in all, so every value starts in the 18th column.
QString keyLine(const char* key, const QString& value)
{
    QString line = QString::fromLatin1(key).leftJustified(16, QLatin1Char(' '));
    line += QLatin1Char('"') + value + QLatin1Char('"');
    return line;
}

} // namespace

QByteArray arenaText(const ArenaValues& values)
{
    const QString lines[] = {
        QStringLiteral("{"),
        keyLine("map", values.map),
        keyLine("bots", values.bots),
        keyLine("longname", values.longname),
        keyLine("fraglimit", values.fraglimit),
        keyLine("type", values.type),
        QStringLiteral("}"),
    };
    QByteArray text;
    for (const QString& line : lines)
        text += toWindows1252(line) + "\r\n";
    return text;
}

} // namespace editor
