// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace editor {

// Encodes text in Windows-1252, the 8-bit code page the game's files use.
// A character the code page lacks becomes "?".
QByteArray toWindows1252(const QString& text);

// Decodes it, every byte to a character that encodes back to that byte.
QString fromWindows1252(const QByteArray& bytes);

} // namespace editor
