// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace platform {

namespace {

bool namesDriveC(const QString& path)
{
    return path.size() >= 2 && path[1] == QLatin1Char(':') && path[0].toUpper() == QLatin1Char('C');
}

QStringList pathComponents(const QString& path)
{
    QString separated = path;
    separated.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return separated.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

} // namespace

FileSystem::FileSystem(QString driveCRoot)
    : root(QDir::cleanPath(std::move(driveCRoot)))
{
}

bool FileSystem::prepareDrive()
{
    if (!QDir().mkpath(root))
        return false;
    const QFileInfo info(root);
    return info.isDir() && !info.isSymLink()
           && QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QString FileSystem::hostPath(const QString& classicPath) const
{
    QString rest = classicPath;
    QString base;
    if (namesDriveC(rest)) {
        rest = rest.mid(2);
        // "C:x" is relative to drive C's current directory, "C:\x" to its root.
        if (rest.startsWith(QLatin1Char('\\')) || rest.startsWith(QLatin1Char('/')))
            base = root;
        else
            base = QDir(root).filePath(currentDirectory);
    } else if (rest.size() >= 2 && rest[1] == QLatin1Char(':')) {
        return QString(); // another drive: not on this machine
    } else {
        base = rest.startsWith(QLatin1Char('\\')) ? root : QDir(root).filePath(currentDirectory);
    }
    return resolveComponents(QDir::cleanPath(base), pathComponents(rest));
}

QString FileSystem::resolveComponents(const QString& base, const QStringList& components) const
{
    QString resolved = base;
    for (const QString& component : components) {
        if (component == QLatin1String("."))
            continue;
        if (component == QLatin1String("..")) {
            // Never above the drive's root, as on a real drive.
            if (resolved != root)
                resolved = QFileInfo(resolved).path();
            continue;
        }
        // Of several entries that differ only in case, the first by name
        // answers to every case: preferring an exact match would make
        // "scripts" and "SCRIPTS" two folders.
        resolved = QDir(resolved).filePath(entriesAnsweringTo(resolved, component).value(0, component));
    }
    return resolved;
}

QStringList FileSystem::entriesAnsweringTo(const QString& hostFolder, const QString& name)
{
    QStringList matching;
    const QStringList entries = QDir(hostFolder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            matching << entry;
    }
    return matching;
}

std::optional<QString> FileSystem::Dir(const QString& pattern, int attributes) const
{
    QString separated = pattern;
    separated.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const qsizetype cut = separated.lastIndexOf(QLatin1Char('/'));
    const QString folderPart = cut >= 0 ? pattern.left(cut + 1) : QString();
    QString namePattern = cut >= 0 ? separated.mid(cut + 1) : separated;
    if (namePattern == QLatin1String("*.*"))
        namePattern = QStringLiteral("*");

    const QString folderPath = folderPart.isEmpty() ? hostPath(QStringLiteral(".")) : hostPath(folderPart);
    const QFileInfo folderInfo(folderPath);
    if (folderPath.isEmpty() || !folderInfo.isDir() || !folderInfo.isReadable())
        return std::nullopt;

    QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System;
    if (attributes & Directory)
        filters |= QDir::Dirs;
    const QRegularExpression matcher(QRegularExpression::wildcardToRegularExpression(namePattern),
                                     QRegularExpression::CaseInsensitiveOption);
    const QStringList entries = QDir(folderPath).entryList(filters, QDir::Name);
    for (const QString& entry : entries) {
        if (matcher.match(entry).hasMatch())
            return entry;
    }
    return QString();
}

bool FileSystem::ChDir(const QString& path)
{
    const QString target = hostPath(path);
    if (target.isEmpty() || !QFileInfo(target).isDir())
        return false;
    // Changing the directory of drive C leaves the current drive alone.
    currentDirectory = QDir(root).relativeFilePath(target);
    if (currentDirectory == QLatin1String("."))
        currentDirectory.clear();
    return true;
}

bool FileSystem::ChDrive(const QString& drive)
{
    return !drive.isEmpty() && drive[0].toUpper() == QLatin1Char('C');
}

bool FileSystem::MkDir(const QString& path)
{
    const QString target = hostPath(path);
    if (target.isEmpty() || QFileInfo::exists(target))
        return false;
    return QDir().mkdir(target);
}

bool FileSystem::RmDir(const QString& path)
{
    const QString target = hostPath(path);
    const QFileInfo info(target);
    if (target.isEmpty() || !info.isDir() || info.isSymLink())
        return false;
    return QDir().rmdir(target); // only an empty folder goes
}

} // namespace platform
