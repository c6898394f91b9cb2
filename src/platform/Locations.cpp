#include "platform/Locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace platform {

Locations Locations::forThisProgram()
{
    QString privateFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (privateFolder.isEmpty())
        privateFolder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return {QCoreApplication::applicationDirPath(), QDir(privateFolder).filePath(QStringLiteral("mapwright/drive-c"))};
}

} // namespace platform
