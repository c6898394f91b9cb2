// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/SettingsStore.h"

#include "support/Testing.h"

// Points the per-user settings store, and the folder where copies of files
// written in place are kept, at fresh folders for the life of the object, so
// tests read and write real files of their own.
class TempSettings {
public:
    TempSettings()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
        qputenv("XDG_STATE_HOME", QFile::encodeName(folder.filePath("state")));
    }
    ~TempSettings()
    {
        for (const auto& [variable, value] : {std::pair{"XDG_CONFIG_HOME", configHome}, {"XDG_STATE_HOME", stateHome}})
            value.isNull() ? qunsetenv(variable) : qputenv(variable, value);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    QString iniPath() const { return folder.filePath(QStringLiteral("Mapwright/Mapwright.ini")); }
    QString copiesFolder() const { return folder.filePath(QStringLiteral("state/mapwright/copies")); }
    // The file name remembered under a key of the program's section.
    static QString remembered(const char* key) { return platform::SettingsStore().read("Mapwright", "Filenames", key); }

private:
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME"), stateHome = qgetenv("XDG_STATE_HOME");
    QTemporaryDir folder;
};
