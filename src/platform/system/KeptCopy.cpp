// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/KeptCopy.h"

#include "platform/system/FileContent.h"
#include "platform/system/OwnedDescriptor.h"
#include "platform/system/SystemError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

// The copies are kept in a folder of the user's own, never beside the file:
// - the user may always write there, also where the file's folder is not
//   his, which is what most often sends a save in place: one rule serves;
// - it is private: the copy of a file that is another user's, or that
//   only its group may read, shows its content to no one else;
// - nothing of Mapwright's turns up among the user's or the game's files,
//   where a copy could be taken for the file, or packed with it;
// - nobody else writes there, so what a later run finds there is its own;
// - it is state, not cache: a cache may be emptied at any time, and this
//   copy may be the only one left of the file's earlier content.
// The messages name the copy, and Open offers it back: the user need not
// know the folder to find it.
QByteArray copiesFolder()
{
    QByteArray state = qgetenv("XDG_STATE_HOME");
    // As the XDG base directories are defined: a relative one is ignored.
    if (!state.startsWith('/'))
        state = QFile::encodeName(QDir::homePath()) + "/.local/state";
    return state + "/mapwright/copies";
}

// A copy still being written: its writer holds it locked, and it takes its
// name only once complete. No copy's name starts so.
constexpr char partialPrefix[] = ".partial-";

// The copy's name says whose copy it is: the file's path with '!' for each
// '/', as Emacs names backups kept in a folder of their own, and "%21" and
// "%25" for '!' and '%', so that no two paths share a name. A path too long
// for one name goes by its SHA-256.
QByteArray copyName(const QByteArray& file)
{
    QByteArray name;
    for (const char character : file) {
        if (character == '/')
            name += '!';
        else if (character == '!' || character == '%')
            name += '%' + QByteArray(1, character).toHex().toUpper();
        else
            name += character;
    }
    if (name.size() <= NAME_MAX)
        return name;
    return '#' + QCryptographicHash::hash(file, QCryptographicHash::Sha256).toHex();
}

// The file behind the path, every link followed: a file has one copy,
// whichever of its links it is saved or opened by.
std::optional<QByteArray> resolved(const QString& path)
{
    char* real = ::realpath(QFile::encodeName(path).constData(), nullptr);
    if (!real)
        return std::nullopt;
    const QByteArray file(real);
    std::free(real);
    return file;
}

void syncFolder(const QByteArray& folder)
{
    const OwnedDescriptor opened(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (opened >= 0)
        ::fsync(opened);
}

// Makes the folder, and each one above it that is missing, private to the
// user, and puts each new one's name on the disk before a copy relies on it.
bool makePrivateFolder(const QByteArray& path)
{
    for (qsizetype slash = path.indexOf('/', 1);; slash = path.indexOf('/', slash + 1)) {
        const QByteArray folder = slash < 0 ? path : path.left(slash);
        if (::mkdir(folder.constData(), 0700) == 0)
            syncFolder(folder.left(folder.lastIndexOf('/') + 1));
        else if (errno != EEXIST)
            return false;
        if (slash < 0)
            return true;
    }
}

// A copy that was being written when its run was stopped: no longer held
// locked, and of no use, as it never became a copy.
void removeStoppedCopies(int folder)
{
    std::vector<QByteArray> partial;
    if (DIR* listing = ::fdopendir(::dup(folder))) {
        while (const dirent* entry = ::readdir(listing)) {
            if (QByteArrayView(entry->d_name).startsWith(partialPrefix))
                partial.emplace_back(entry->d_name);
        }
        ::closedir(listing);
    }
    for (const QByteArray& name : partial) {
        const OwnedDescriptor copy(::openat(folder, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat status {};
        if (copy >= 0 && ::fstat(copy, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid()
            && ::flock(copy, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(folder, name.constData(), 0);
    }
}

// The copy at `copy`, if it is one: a regular file of the user's own.
int openCopy(const QString& copy)
{
    const int opened = ::open(QFile::encodeName(copy).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat status {};
    if (opened >= 0 && (::fstat(opened, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid())) {
        ::close(opened);
        errno = EACCES;
        return -1;
    }
    return opened;
}

int openFile(const QString& path, int access)
{
    const int opened = ::open(QFile::encodeName(path).constData(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat status {};
    if (opened >= 0 && (::fstat(opened, &status) != 0 || !S_ISREG(status.st_mode))) {
        ::close(opened);
        errno = EINVAL;
        return -1;
    }
    return opened;
}

} // namespace

QString keptCopyPath(const QString& path)
{
    const std::optional<QByteArray> file = resolved(path);
    return file ? QFile::decodeName(copiesFolder() + '/' + copyName(*file)) : QString();
}

QString keepCopy(const QString& path, int descriptor, const StepHook& step)
{
    const std::optional<QByteArray> file = resolved(path);
    const QByteArray folderPath = copiesFolder();
    if (!file || !makePrivateFolder(folderPath))
        return systemErrorText(errno);
    const OwnedDescriptor folder(::open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder < 0)
        return systemErrorText(errno);
    removeStoppedCopies(folder);
    QByteArray partial = folderPath + '/' + partialPrefix + "XXXXXX";
    const OwnedDescriptor copy(::mkostemp(partial.data(), O_CLOEXEC));
    if (copy < 0)
        return systemErrorText(errno);
    const QByteArray partialName = partial.mid(folderPath.size() + 1);
    // Complete and on the disk before it takes its name: a copy is whole.
    bool kept = ::flock(copy, LOCK_EX) == 0 && copyContent(descriptor, copy) && ::fsync(copy) == 0;
    if (kept) {
        reach(step, "copy written");
        kept = ::renameat(folder, partialName.constData(), folder, copyName(*file).constData()) == 0
               && ::fsync(folder) == 0;
    }
    if (!kept) {
        const int cause = errno;
        ::unlinkat(folder, partialName.constData(), 0);
        return systemErrorText(cause);
    }
    return QString();
}

QString putBack(const QString& path, int descriptor)
{
    const OwnedDescriptor copy(openCopy(keptCopyPath(path)));
    std::optional<off_t> size;
    if (copy < 0 || !(size = copyContent(copy, descriptor)) || ::ftruncate(descriptor, *size) != 0
        || ::fsync(descriptor) != 0)
        return systemErrorText(errno);
    return QString();
}

void dropKeptCopy(const QString& path)
{
    if (const QString copy = keptCopyPath(path); !copy.isEmpty())
        ::unlink(QFile::encodeName(copy).constData());
}

QString restoreFromKeptCopy(const QString& path)
{
    const OwnedDescriptor file(openFile(path, O_RDWR));
    if (file < 0)
        return systemErrorText(errno);
    if (QString problem = putBack(path, file); !problem.isEmpty())
        return problem;
    dropKeptCopy(path);
    return QString();
}

std::optional<QString> differingKeptCopy(const QString& path)
{
    const QString copyPath = keptCopyPath(path);
    const OwnedDescriptor copy(copyPath.isEmpty() ? -1 : openCopy(copyPath));
    const OwnedDescriptor file(copy < 0 ? -1 : openFile(path, O_RDONLY));
    if (file < 0)
        return std::nullopt;
    if (sameContent(copy, file)) {
        dropKeptCopy(path);
        return std::nullopt;
    }
    return copyPath;
}

} // namespace platform
