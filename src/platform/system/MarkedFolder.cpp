// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/MarkedFolder.h"

#include "platform/system/OwnedDescriptor.h"
#include "platform/system/SystemError.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

// The mark's text; the first release's, which worked in such folders only to
// add to archives, still proves a folder its own.
constexpr std::string_view markTexts[] = {
    "Mapwright made this folder to work in while it writes a file beside it. It removes it when done, or, should "
    "it be stopped, on its next run in this folder.\n",
    "Mapwright made this folder to work in while it adds to an archive beside it. It removes it when done, or, "
    "should it be stopped, on its next run in this folder.\n",
};
constexpr std::size_t longestMark = std::max(markTexts[0].size(), markTexts[1].size());
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
    if (mark < 0 || ::fstat(mark, &status) != 0 || !S_ISREG(status.st_mode) || std::size_t(status.st_size) > longestMark)
        return false;
    char text[longestMark + 1];
    const ssize_t got = ::read(mark, text, sizeof text);
    return got >= 0 && std::find(std::begin(markTexts), std::end(markTexts), std::string_view(text, std::size_t(got)))
                           != std::end(markTexts);
}

// Removes the folder `name` in `parent`, open as `folder`, if it proves to
// be a run's own.
bool removeIfOwn(int parent, const QByteArray& name, int folder, const KnownEntries& known)
{
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

bool writeAll(int descriptor, std::string_view text)
{
    return ::write(descriptor, text.data(), text.size()) == ssize_t(text.size());
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
    // Held locked while this run lasts, and let go by the system however it
    // ends: another run takes only a folder that it can lock. Where the file
    // system cannot lock, no run can, and none takes another's.
    held = ::open(made.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (held >= 0)
        ::flock(held, LOCK_EX | LOCK_NB);
    const OwnedDescriptor mark(held < 0 ? -1
                                        : ::openat(held, markName, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                                   S_IRUSR | S_IWUSR));
    if (mark < 0 || !writeAll(mark, markTexts[0])) {
        error = systemErrorText(errno);
        if (held >= 0)
            ::unlinkat(held, markName, 0);
        ::rmdir(made.constData());
        folder.clear();
    }
}

MarkedFolder::~MarkedFolder()
{
    remove();
    for (const int descriptor : {held, parentDescriptor}) {
        if (descriptor >= 0)
            ::close(descriptor);
    }
}

bool MarkedFolder::remove()
{
    if (folder.isEmpty())
        return true;
    if (!removeIfOwn(parentDescriptor, QFile::encodeName(QDir(folder).dirName()), held, known))
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
        if (!isLeftoverName(name, prefix))
            continue;
        // A folder that another run holds is in use; one that cannot be
        // locked cannot be shown not to be.
        const OwnedDescriptor leftover(
            ::openat(folder, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (leftover >= 0 && ::flock(leftover, LOCK_EX | LOCK_NB) == 0)
            removeIfOwn(folder, name, leftover, known);
    }
}

} // namespace platform
