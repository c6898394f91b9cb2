#include "platform/Locations.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

QString Locations::driveCRootOrDefault() const
{
    if (!driveCRoot.isEmpty())
        return driveCRoot;
    QString privateFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (privateFolder.isEmpty())
        privateFolder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return QDir(privateFolder).filePath(QStringLiteral("mapwright/drive-c"));
}

} // namespace platform
