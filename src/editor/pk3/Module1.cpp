// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/pk3/Module1.h"

#include "platform/system/FileSystem.h"

namespace editor {

int FolderExists(const platform::FileSystem& fileSystem, const QString& path)
{
    // Folders count as matches, so an empty folder is found by its own "."
    // entry.
    const std::optional<QString> firstEntry = fileSystem.Dir(path + QStringLiteral("*.*"), platform::FileSystem::Directory);
    return firstEntry && !firstEntry->isEmpty() ? -1 : 0;
}

} // namespace editor
