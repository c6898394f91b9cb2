#include "support/TempSettings.h"

#include "platform/SettingsStore.h"

#include <QSettings>
#include <QStandardPaths>

namespace testing_support {

TempSettings::TempSettings()
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
}

TempSettings::~TempSettings()
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString TempSettings::iniPath() const
{
    return folder.filePath(QStringLiteral("Mapwright/Mapwright.ini"));
}

QString TempSettings::remembered(const char* key)
{
    return platform::SettingsStore().read("Mapwright", "Filenames", key);
}

} // namespace testing_support
