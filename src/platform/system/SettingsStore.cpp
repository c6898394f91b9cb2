// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/SettingsStore.h"

#include <QSettings>

namespace platform {

namespace {

QString settingKey(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

QString SettingsStore::filePath(const QString& application)
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, application, application).fileName();
}

QString SettingsStore::read(const QString& application, const QString& section, const QString& key) const
{
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, application, application);
    return settings.value(settingKey(section, key)).toString();
}

bool SettingsStore::write(const QString& application, const QString& section, const QString& key,
                          const QString& value)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, application, application);
    settings.setValue(settingKey(section, key), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace platform
