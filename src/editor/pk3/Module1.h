// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace platform {
class FileSystem;
}

namespace editor {

// Whether a folder exists: -1 when it does, 0 when it does not. The path
// ends with a backslash. It never fails: any failure inside gives 0.
int FolderExists(const platform::FileSystem& fileSystem, const QString& path);

} // namespace editor
