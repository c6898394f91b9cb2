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

bool SettingsStore::writeList(const QString& application, const QString& section, const QStringList& values)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, application, application);
    settings.remove(section);
    for (qsizetype index = 0; index < values.size(); ++index)
        settings.setValue(settingKey(section, QString::number(index + 1)), values[index]);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QStringList SettingsStore::readList(const QString& application, const QString& section) const
{
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, application, application);
    QStringList values;
    for (int index = 1; settings.contains(settingKey(section, QString::number(index))); ++index)
        values << settings.value(settingKey(section, QString::number(index))).toString();
    return values;
}

} // namespace platform
