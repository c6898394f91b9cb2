// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Catches the archiver at work from a thread of its own: as soon as it has
// started, or once the new archive it writes in a private folder beside the
// user's archive has passed a megabyte, when it is surely writing.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <functional>
#include <sys/types.h>
#include <thread>
#include <unistd.h>

enum class ArchiverMoment { Started, Writing };

// The archiver among this process's children, or 0.
inline pid_t runningArchiver()
{
    const QStringList tasks = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& task : tasks) {
        QFile children(QStringLiteral("/proc/self/task/%1/children").arg(task));
        if (!children.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& child : children.readAll().split(' ')) {
            QFile name(QStringLiteral("/proc/%1/comm").arg(QString::fromLatin1(child.trimmed())));
            if (!child.trimmed().isEmpty() && name.open(QIODevice::ReadOnly) && name.readAll().trimmed() == "zip")
                return pid_t(child.trimmed().toInt());
        }
    }
    return 0;
}

inline bool archiverIsWriting(const QString& archiveFolder)
{
    const QStringList privateFolders =
        QDir(archiveFolder).entryList({QStringLiteral(".mapwright-*")}, QDir::Dirs | QDir::Hidden);
    for (const QString& folder : privateFolders) {
        const QFileInfoList files = QDir(QDir(archiveFolder).filePath(folder)).entryInfoList(QDir::Files);
        for (const QFileInfo& file : files) {
            if (!file.isSymLink() && file.size() > (1 << 20))
                return true;
        }
    }
    return false;
}

// Calls `act` with the archiver's process id at that moment, on a thread of
// its own; gives up after ten seconds.
inline void whenTheArchiverIs(ArchiverMoment moment, const QString& archiveFolder, std::function<void(pid_t)> act)
{
    std::thread([=] {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < giveUp) {
            const pid_t archiver = runningArchiver();
            if (archiver != 0 && (moment == ArchiverMoment::Started || archiverIsWriting(archiveFolder))) {
                act(archiver);
                return;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    }).detach();
}
