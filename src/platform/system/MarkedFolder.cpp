// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/MarkedFolder.h"

#include "platform/system/OwnedDescriptor.h"
#include "platform/system/SystemError.h"

#include <QDir>
#include <QFile>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

constexpr char markText[] = "Mapwright made this folder to work in while it adds to an archive beside it. It removes "
                            "it when done, or, should it be stopped, on its next run in this folder.\n";
constexpr qsizetype markSize = sizeof markText - 1;
constexpr int randomCharacters = 6;

// The names in a folder open as `folder`, "." and ".." aside.
std::vector<QByteArray> namesIn(int folder)
{
    std::vector<QByteArray> names;
    DIR* listing = ::fdopendir(::dup(folder));
    if (!listing)
        return names;
    ::rewinddir(listing);
    while (const dirent* entry = ::readdir(listing)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    }
    ::closedir(listing);
    return names;
}

bool holdsTheMark(int folder)
{
    // Nothing but a regular file is opened: a device may act on being opened.
    struct stat status {};
    if (::fstatat(folder, MarkedFolder::markName, &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(status.st_mode))
        return false;
    const OwnedDescriptor mark(::openat(folder, MarkedFolder::markName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (mark < 0 || ::fstat(mark, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size != markSize)
        return false;
    char text[markSize + 1];
    return ::read(mark, text, sizeof text) == markSize && std::memcmp(text, markText, markSize) == 0;
}

// Removes the folder `name` in `parent` if it proves to be a run's own.
bool removeIfOwn(int parent, const QByteArray& name, const KnownEntries& known)
{
    const OwnedDescriptor folder(
        ::openat(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (folder < 0 || ::fstat(folder, &status) != 0 || status.st_uid != ::geteuid() || !holdsTheMark(folder))
        return false;
    std::vector<QByteArray> entries;
    for (const QByteArray& entry : namesIn(folder)) {
        if (entry == MarkedFolder::markName)
            continue;
        struct stat entryStatus {};
        if (::fstatat(folder, entry.constData(), &entryStatus, AT_SYMLINK_NOFOLLOW) != 0)
            return false;
        const bool link = S_ISLNK(entryStatus.st_mode);
        if (!(link || S_ISREG(entryStatus.st_mode)) || !known(entry, link ? EntryKind::Link : EntryKind::File))
            return false;
        entries.push_back(entry);
    }
    // The mark goes last: a folder left half emptied is still known as one.
    for (const QByteArray& entry : entries) {
        if (::unlinkat(folder, entry.constData(), 0) != 0 && errno != ENOENT)
            return false;
    }
    return ::unlinkat(folder, MarkedFolder::markName, 0) == 0 && ::unlinkat(parent, name.constData(), AT_REMOVEDIR) == 0;
}

bool isLeftoverName(const QByteArray& name, const QByteArray& prefix)
{
    if (name.size() != prefix.size() + randomCharacters || !name.startsWith(prefix))
        return false;
    for (const char character : name.mid(prefix.size())) {
        if (!std::isalnum(static_cast<unsigned char>(character)))
            return false;
    }
    return true;
}

} // namespace

MarkedFolder::MarkedFolder(const QString& parent, const QByteArray& prefix, KnownEntries known)
    : known(std::move(known))
{
    parentDescriptor = ::open(QFile::encodeName(parent).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    QByteArray made = QFile::encodeName(QDir(parent).filePath(QString::fromLocal8Bit(prefix))) + "XXXXXX";
    if (parentDescriptor < 0 || !::mkdtemp(made.data())) {
        error = systemErrorText(errno);
        return;
    }
    folder = QFile::decodeName(made);
    const OwnedDescriptor created(::open(made.constData(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    const OwnedDescriptor mark(created < 0 ? -1
                                      : ::openat(created, markName, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                                 S_IRUSR | S_IWUSR));
    if (mark < 0 || ::write(mark, markText, markSize) != markSize) {
        error = systemErrorText(errno);
        if (created >= 0)
            ::unlinkat(created, markName, 0);
        ::rmdir(made.constData());
        folder.clear();
    }
}

MarkedFolder::~MarkedFolder()
{
    remove();
    if (parentDescriptor >= 0)
        ::close(parentDescriptor);
}

bool MarkedFolder::remove()
{
    if (folder.isEmpty())
        return true;
    if (!removeIfOwn(parentDescriptor, QFile::encodeName(QDir(folder).dirName()), known))
        return false;
    folder.clear();
    return true;
}

void MarkedFolder::removeLeftovers(const QString& parent, const QByteArray& prefix, const KnownEntries& known)
{
    const OwnedDescriptor folder(::open(QFile::encodeName(parent).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder < 0)
        return;
    for (const QByteArray& name : namesIn(folder)) {
        if (isLeftoverName(name, prefix))
            removeIfOwn(folder, name, known);
    }
}

} // namespace platform
