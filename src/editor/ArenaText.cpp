// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ArenaText.h"

#include "editor/Windows1252.h"
#include "game/InfoFile.h"

namespace editor {

bool isPlainWord(const QByteArray& text)
{
    return !text.isEmpty() && !text.startsWith('"') && !text.startsWith("//") && !text.startsWith("/*")
        && std::all_of(text.begin(), text.end(), [](char c) { return !game::isGameWhiteSpace(c); });
}

namespace {

// A key as the game will read it back: bare as Mapwright writes its own,
// quoted when it holds what would split it or start a comment.
QByteArray keyToken(const QByteArray& key)
{
    return isPlainWord(key) ? key : '"' + key + '"';
}

// Each key line starts with the key, padding and the opening quote, 17
// characters in all, so every value starts in the 18th column; a longer
// key gets one space. The value is written verbatim.
QByteArray keyLine(const QByteArray& key, const QByteArray& value)
{
    return keyToken(key).leftJustified(15, ' ') + " \"" + value + '"';
}

// A kept key's line. Its value came from the game's tokenizer, where a '"'
// comes only in an unquoted word, which reads back the same written bare.
QByteArray keptKeyLine(const QByteArray& key, const QByteArray& value)
{
    return value.contains('"') ? keyToken(key).leftJustified(15, ' ') + ' ' + value : keyLine(key, value);
}

} // namespace

QByteArray arenaBlock(const ArenaValues& values)
{
    const std::pair<const char*, const QString*> keys[] = {{"map", &values.map},
                                                           {"bots", &values.bots},
                                                           {"longname", &values.longname},
                                                           {"fraglimit", &values.fraglimit},
                                                           {"type", &values.type}};
    QByteArray text = "{\r\n";
    for (const auto& [key, value] : keys) {
        if (!values.leftOut.contains(QLatin1String(key)))
            text += keyLine(key, toWindows1252(*value)) + "\r\n";
    }
    for (const auto& [key, value] : values.otherKeys)
        text += keptKeyLine(toWindows1252(key), toWindows1252(value)) + "\r\n";
    return text + "}";
}

QByteArray arenaText(const ArenaValues& values)
{
    return arenaBlock(values) + "\r\n";
}

} // namespace editor
