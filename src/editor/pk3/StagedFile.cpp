// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/pk3/StagedFile.h"

#include "game/EntryNames.h"
#include "platform/system/OwnedDescriptor.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

namespace editor {

QByteArrayList namesAnsweringTo(const QByteArray& folder, const QByteArray& name)
{
    QByteArrayList names;
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.constData()), ::closedir);
    if (!listing)
        return names;
    while (const dirent* entry = ::readdir(listing.get())) {
        if (game::namesTheSameEntry(entry->d_name, name))
            names << entry->d_name;
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool renameWithoutReplacing(const QByteArray& from, const QByteArray& to)
{
    return ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0;
}

bool writeNewFile(const QByteArray& path, const QByteArray& bytes, bool& made)
{
    const platform::OwnedDescriptor file(
        ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    made = file >= 0;
    for (qsizetype written = 0; made && written < bytes.size();) {
        const ssize_t wrote = ::write(file, bytes.constData() + written, std::size_t(bytes.size() - written));
        if (wrote < 0 && errno != EINTR)
            return false;
        written += std::max<ssize_t>(wrote, 0);
    }
    return made;
}

} // namespace editor
