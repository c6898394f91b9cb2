// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace editor {

// The files opened last, newest first, at most 8, kept in the settings
// store in a section of their own ("RecentFiles"), apart from the names
// the routes remember.
QStringList recentFiles();
// Puts the file first. Returns whether the list was stored.
bool addRecentFile(const QString& path);
bool dropRecentFile(const QString& path);

} // namespace editor
