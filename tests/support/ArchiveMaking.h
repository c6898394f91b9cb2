// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/Testing.h"

// Runs a program to its end and returns what it printed.
inline QByteArray run(const QString& program, const QStringList& arguments, const QString& folder = QString())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

// Makes an archive, with the real zip, holding the given entries, each
// holding its own name.
inline void makeArchive(const QString& archive, const QStringList& entries, const QStringList& options = {})
{
    QTemporaryDir seed;
    for (const QString& name : entries) {
        QDir(seed.path()).mkpath(QFileInfo(name).path());
        writeFile(seed.filePath(name), name.toUtf8());
    }
    run("zip", QStringList{"-q", "-nw"} + options + QStringList{"seed.pk3"} + entries, seed.path());
    QFile::remove(archive);
    ASSERT_TRUE(QFile::rename(seed.filePath("seed.pk3"), archive));
}
