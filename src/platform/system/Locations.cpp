// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/Locations.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

namespace {

QString usersDriveCFolder()
{
    QString privateFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (privateFolder.isEmpty())
        privateFolder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return QDir(privateFolder).filePath(QStringLiteral("mapwright"));
}

} // namespace

QString Locations::driveCRootOrDefault() const
{
    if (!driveCRoot.isEmpty())
        return driveCRoot;
    return QDir(usersDriveCFolder()).filePath(QStringLiteral("drive-c"));
}

void Locations::removeDriveCIfEmpty() const
{
    QDir().rmdir(driveCRootOrDefault()); // only an empty folder goes
    if (driveCRoot.isEmpty())
        QDir().rmdir(usersDriveCFolder());
}

} // namespace platform
