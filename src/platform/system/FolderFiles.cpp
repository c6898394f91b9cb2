// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/FolderFiles.h"

#include <QByteArrayList>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::optional<std::vector<FolderItem>> listFolder(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
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

QByteArray joinPath(const QByteArray& folder, const QByteArray& name)
{
    if (folder.isEmpty())
        return name;
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

QByteArray fileNameOf(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray absolutePath(const QByteArray& path)
{
    QByteArray full = path;
    if (!path.startsWith('/')) {
        char* here = ::getcwd(nullptr, 0);
        full = joinPath(here ? QByteArray(here) : QByteArray("/"), path);
        ::free(here);
    }
    QByteArrayList kept;
    for (const QByteArray& part : full.split('/')) {
        if (part == "..") {
            if (!kept.isEmpty())
                kept.removeLast();
        } else if (!part.isEmpty() && part != ".") {
            kept << part;
        }
    }
    return '/' + kept.join('/');
}

} // namespace platform
