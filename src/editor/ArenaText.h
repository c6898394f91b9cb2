// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace editor {

// The five values of one arena, as read from the main window's fields, and
// what an opened arena held besides.
struct ArenaValues {
    QString map;
    QString bots;
    QString longname;
    QString fraglimit;
    QString type;
    // The opened arena's other keys, written after the five in their order.
    std::vector<std::pair<QString, QString>> otherKeys = {};
    // Of the five, keys the opened arena lacked and the window left empty:
    // left out, so that the game reads them as it did.
    QStringList leftOut = {};
};

// Whether the game's tokenizer reads the text back, written bare, as one
// word of exactly these bytes.
bool isPlainWord(const QByteArray& text);

// One arena in Mapwright's layout, in Windows-1252: "{", a CR LF line for
// each key, values verbatim between the quotes, and "}" with no line end.
QByteArray arenaBlock(const ArenaValues& values);

// The .arena file's content: the arena's block and a CR LF.
QByteArray arenaText(const ArenaValues& values);

} // namespace editor
