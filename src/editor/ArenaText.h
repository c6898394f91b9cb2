// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace editor {

// The five values of one arena, as read from the main window's fields.
struct ArenaValues {
    QString map;
    QString bots;
    QString longname;
    QString fraglimit;
    QString type;
};

// The .arena file's content: seven CR LF lines in Windows-1252, values
// written verbatim between the quotes.
QByteArray arenaText(const ArenaValues& values);

} // namespace editor
