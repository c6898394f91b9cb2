// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/SettingsStore.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <optional>
#include <sys/stat.h>

namespace platform {

namespace {

QString settingKey(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

// Qt reads a settings file as soon as it is named, and would wait on a FIFO
// there for ever: it is named only once it is a plain file, or none is there
// yet. Anything else keeps no settings, as an unreadable file would.
std::optional<QSettings> opened(const QString& application)
{
    const QString file = SettingsStore::filePath(application);
    struct stat status {};
    if (::stat(QFile::encodeName(file).constData(), &status) == 0 ? !S_ISREG(status.st_mode) : errno != ENOENT)
        return std::nullopt;
    return std::optional<QSettings>(std::in_place, file, QSettings::IniFormat);
}

} // namespace

QString SettingsStore::filePath(const QString& application)
{
    // Where Qt keeps an application's settings in the user's scope.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + application
           + QLatin1Char('/') + application + QStringLiteral(".ini");
}

QString SettingsStore::read(const QString& application, const QString& section, const QString& key) const
{
    const std::optional<QSettings> settings = opened(application);
    return settings ? settings->value(settingKey(section, key)).toString() : QString();
}

bool SettingsStore::write(const QString& application, const QString& section, const QString& key,
                          const QString& value)
{
    std::optional<QSettings> settings = opened(application);
    if (!settings)
        return false;
    settings->setValue(settingKey(section, key), value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

bool SettingsStore::writeList(const QString& application, const QString& section, const QStringList& values)
{
    std::optional<QSettings> settings = opened(application);
    if (!settings)
        return false;
    settings->remove(section);
    for (qsizetype index = 0; index < values.size(); ++index)
        settings->setValue(settingKey(section, QString::number(index + 1)), values[index]);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

QStringList SettingsStore::readList(const QString& application, const QString& section) const
{
    const std::optional<QSettings> settings = opened(application);
    QStringList values;
    for (int index = 1; settings && settings->contains(settingKey(section, QString::number(index))); ++index)
        values << settings->value(settingKey(section, QString::number(index))).toString();
    return values;
}

} // namespace platform
