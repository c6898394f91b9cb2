// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace gamecheck {

// How a name from outside (an entry's, a file's path) is shown, the way git
// quotes file names: as it is, unless it holds a control character, a
// Unicode line separator or direction mark, a '\\', a '"' or bytes that are
// not UTF-8. Then it is shown in double quotes, with \\ \" \a \b \t \n \v \f
// \r for those characters and every other such byte as \ooo, in octal. So a
// name can neither break a line nor command a terminal.
QString shownName(const QByteArray& name);
QString shownPath(const QString& path);

// Text in which any such character is written as a C escape, without the
// quotes: a sentence that quotes a value from a file stays one line.
QString withoutControls(const QString& text);

} // namespace gamecheck
