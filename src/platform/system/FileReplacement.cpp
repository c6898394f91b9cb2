// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/FileReplacement.h"

#include "platform/system/FileAttributes.h"
#include "platform/system/FileContent.h"
#include "platform/system/FileIdentity.h"
#include "platform/system/KeptCopy.h"
#include "platform/system/NewFile.h"
#include "platform/system/OwnedDescriptor.h"
#include "platform/system/SystemError.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

FileWriteResult failed(int error)
{
    return {false, systemErrorText(error), QString()};
}

// The path with every link resolved; empty, with errno set, when it cannot be.
QByteArray realPath(const QByteArray& path)
{
    char* real = ::realpath(path.constData(), nullptr);
    if (!real)
        return QByteArray();
    QByteArray resolved(real);
    std::free(real);
    return resolved;
}

// The file that `path` names, every link followed: the file a link leads
// to is the one written, and the link stays. For a new file, its folder's
// path so followed. Nothing, with the reason, when there is none.
std::optional<QString> fileBehind(const QString& path, QString& reason)
{
    const QByteArray name = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    QByteArray file = realPath(name);
    if (file.isEmpty() && errno == ENOENT) {
        struct stat link {};
        if (::lstat(name.constData(), &link) == 0) {
            reason = QStringLiteral("It is a symbolic link to a file that does not exist.");
            return std::nullopt;
        }
        const qsizetype slash = name.lastIndexOf('/');
        const QByteArray folder = realPath(name.left(slash + 1));
        if (!folder.isEmpty())
            file = (folder == "/" ? QByteArray() : folder) + name.mid(slash);
    }
    if (file.isEmpty()) {
        reason = systemErrorText(errno);
        return std::nullopt;
    }
    return QFile::decodeName(file);
}

// After a write in place failed: the file's earlier content put back from
// the copy, or, where that fails too, the copy kept and named.
FileWriteResult undone(const QString& file, int descriptor, int cause, const StepHook& step)
{
    reach(step, "putting back");
    if (const QString problem = putBack(file, descriptor); !problem.isEmpty())
        return {false,
                QStringLiteral("%1. Putting its earlier content back failed too: %2.").arg(systemErrorText(cause), problem),
                keptCopyPath(file)};
    dropKeptCopy(file);
    return failed(cause);
}

// Writes the file where it lies, where a new file could not take its place
// unchanged. A complete copy of it reaches the disk before it is touched,
// and goes once the new content has: a failure is undone from it, and a
// kill or a crash meanwhile leaves it for the user and for the next Open.
FileWriteResult writeInPlace(const QString& file, const QByteArray& bytes, const StepHook& step)
{
    const OwnedDescriptor descriptor(::open(QFile::encodeName(file).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
    if (descriptor < 0)
        return failed(errno);
    const std::optional<FileIdentity> asRead = identityOf(descriptor);
    if (const QString problem = keepCopy(file, descriptor, step); !problem.isEmpty())
        return {false, QStringLiteral("Mapwright writes this file where it lies, and so first keeps a complete copy "
                                      "of it, which could not be made in %1: %2.")
                           .arg(keptCopyPath(file), problem), QString()};
    reach(step, "copy kept");
    // What another program wrote while the copy was made is not in it.
    if (identityOf(descriptor) != asRead) {
        dropKeptCopy(file);
        return {false, QStringLiteral("Another program changed it while Mapwright was saving."), QString()};
    }
    bool whole = writeAllAt(descriptor, bytes.constData(), std::size_t(bytes.size()), 0);
    if (whole) {
        reach(step, "written");
        whole = ::ftruncate(descriptor, off_t(bytes.size())) == 0;
    }
    if (whole) {
        reach(step, "truncated");
        whole = ::fsync(descriptor) == 0;
    }
    if (!whole)
        return undone(file, descriptor, errno, step);
    reach(step, "on the disk");
    dropKeptCopy(file);
    return {true, QString(), QString()};
}

FileWriteResult committed(const MoveOutcome& moved)
{
    switch (moved.status) {
    case MoveOutcome::Status::Moved:
        return {true, QString(), QString()};
    case MoveOutcome::Status::TargetChanged:
        return {false, QStringLiteral("Another program changed it while Mapwright was saving."), QString()};
    case MoveOutcome::Status::Failed:
        break;
    }
    return {false, moved.reason, QString()};
}

// Whether the file can be replaced by a new one without a change the user
// did not ask for: it is the user's own, has no other names, and its folder
// takes a new file.
bool replaceable(const QString& file, const struct stat& status)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(file).path());
    return status.st_nlink == 1 && status.st_uid == ::geteuid()
           && ::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

FileWriteResult replaceExisting(const QString& file, const QByteArray& bytes, const StepHook& step)
{
    const OwnedDescriptor original(
        ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat status {};
    if (original < 0 || ::fstat(original, &status) != 0)
        return failed(errno);
    if (S_ISDIR(status.st_mode))
        return {false, QStringLiteral("It is a folder."), QString()};
    if (!S_ISREG(status.st_mode))
        return {false, QStringLiteral("It is not a regular file."), QString()};
    // Replacing by rename would also get past a file the user has made
    // read-only; opening it for output would not.
    if (::faccessat(AT_FDCWD, QFile::encodeName(file).constData(), W_OK, AT_EACCESS) != 0)
        return {false, QStringLiteral("The file is read-only."), QString()};
    if (!replaceable(file, status))
        return writeInPlace(file, bytes, step);
    {
        NewFile replacement(file);
        if (!replacement.isValid())
            return {false, replacement.errorString(), QString()};
        const AttributeCopy given = copyAttributes(original, replacement.descriptor());
        if (given.failure.isEmpty() && given.ownerKept && given.groupKept && given.accessListKept && given.lost.isEmpty())
            return committed(replacement.commit(bytes, identityOf(original), step));
    }
    return writeInPlace(file, bytes, step);
}

} // namespace

FileWriteResult replaceFileContent(const QString& path, const QByteArray& bytes, const StepHook& step)
{
    QString reason;
    const std::optional<QString> file = fileBehind(path, reason);
    if (!file)
        return {false, reason, QString()};
    struct stat status {};
    if (::stat(QFile::encodeName(*file).constData(), &status) != 0) {
        NewFile made(*file);
        return made.isValid() ? committed(made.commit(bytes, std::nullopt, step))
                              : FileWriteResult{false, made.errorString(), QString()};
    }
    const FileWriteResult result = replaceExisting(*file, bytes, step);
    if (result.written)
        dropKeptCopy(*file);
    return result;
}

} // namespace platform
