// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayList>

namespace game {

// Whether the game takes two entry names for one file: it compares them
// without regard to the case of ASCII letters, as archives made on Windows
// are often written in capitals, and takes a '\\' for a '/'.
bool namesTheSameEntry(const QByteArray& one, const QByteArray& other);

// The form in which the game files an entry's name: ASCII letters in lower
// case, and '\\' as '/'. Two names of one form are one file to the game.
QByteArray entryKey(const QByteArray& name);

// The name with ASCII letters in lower case, as the game compares names:
// every other byte as it is.
QByteArray asciiLowered(const QByteArray& name);
bool endsWithInAnyCase(const QByteArray& name, const QByteArray& ending);

// The entries the game would take for `entryName`, the name itself, exactly
// as given, not among them.
QByteArrayList caseVariantsOf(const QByteArray& entryName, const QByteArrayList& entryNames);

} // namespace game
