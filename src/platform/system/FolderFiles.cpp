// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/FolderFiles.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::optional<std::vector<FolderItem>> listFolder(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    DIR* folder = ::fdopendir(fd);
    if (!folder) {
        ::close(fd);
        return std::nullopt;
    }
    std::vector<FolderItem> items;
    while (const dirent* item = ::readdir(folder)) {
        const QByteArray name(item->d_name);
        if (name == "." || name == "..")
            continue;
        bool isFolder = item->d_type == DT_DIR;
        bool found = true;
        if (item->d_type == DT_UNKNOWN || item->d_type == DT_LNK) {
            struct stat status;
            found = ::fstatat(fd, item->d_name, &status, 0) == 0;
            isFolder = found && S_ISDIR(status.st_mode);
        }
        items.push_back({name, isFolder, found});
    }
    ::closedir(folder);
    return items;
}

} // namespace platform
