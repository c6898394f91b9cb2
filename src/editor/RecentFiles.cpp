// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/RecentFiles.h"

#include "platform/system/ProgramName.h"
#include "platform/system/SettingsStore.h"

#include <QFileInfo>

namespace editor {

namespace {

const QString section = QStringLiteral("RecentFiles");
constexpr qsizetype mostFiles = 8;

bool store(const QStringList& files)
{
    return platform::SettingsStore().writeList(platform::programName, section, files);
}

} // namespace

QStringList recentFiles()
{
    return platform::SettingsStore().readList(platform::programName, section).mid(0, mostFiles);
}

bool addRecentFile(const QString& path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(file);
    files.prepend(file);
    return store(files.mid(0, mostFiles));
}

bool dropRecentFile(const QString& path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    return store(files);
}

} // namespace editor
