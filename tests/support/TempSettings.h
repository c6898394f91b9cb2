// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/SettingsStore.h"

#include "support/Testing.h"

// Points the per-user settings store at a fresh folder for the life of the
// object, so tests read and write a real settings file of their own.
class TempSettings {
public:
    TempSettings() { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path()); }
    ~TempSettings()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    QString iniPath() const { return folder.filePath(QStringLiteral("Mapwright/Mapwright.ini")); }
    // The file name remembered under a key of the program's section.
    static QString remembered(const char* key) { return platform::SettingsStore().read("Mapwright", "Filenames", key); }

private:
    QTemporaryDir folder;
};
