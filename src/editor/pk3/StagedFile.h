// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayList>

namespace editor {

// The staging folder's files go by the bytes of their names, which an
// archive entry's name gives, and which need not be text.

// The names in `folder` that the classic drive takes for `name`: the same
// bytes but for the letter case of ASCII letters; in byte order.
QByteArrayList namesAnsweringTo(const QByteArray& folder, const QByteArray& name);

// Renames a file, never over another: false when something has the new name.
bool renameWithoutReplacing(const QByteArray& from, const QByteArray& to);

// Makes a file that is not there yet, never following a link, and writes
// the bytes into it. `made` says whether a file was made, whole or not;
// false when it could not be made or written.
bool writeNewFile(const QByteArray& path, const QByteArray& bytes, bool& made);

} // namespace editor
