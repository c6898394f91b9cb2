// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The per-user settings store: text values that outlive the program, kept
// in an INI file under the user's configuration folder
// (~/.config/<application>/<application>.ini). Where something other than a
// plain file is there (a FIFO, a device, a folder), nothing is read from it,
// and writing fails.
class SettingsStore {
public:
    // Empty when nothing is stored under the key.
    QString read(const QString& application, const QString& section, const QString& key) const;
    // Where the values of an application are kept.
    static QString filePath(const QString& application);
    // Returns whether the value was stored.
    bool write(const QString& application, const QString& section, const QString& key,
               const QString& value);
    // Makes `values` the section's values, under the keys 1, 2, ... in
    // their order, and removes the section's other keys; the file's other
    // sections stay as they are. Returns whether they were stored.
    bool writeList(const QString& application, const QString& section, const QStringList& values);
    QStringList readList(const QString& application, const QString& section) const;
};

} // namespace platform
