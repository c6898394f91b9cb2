// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/NewFile.h"

#include "platform/system/FileContent.h"
#include "platform/system/SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

// Plain literals, not objects: nothing of a save is built before the program starts.
constexpr char workFolderPrefix[] = ".mapwright-save-";
constexpr char newFileName[] = "new";

bool isASavesOwn(const QByteArray& name, EntryKind kind)
{
    return kind == EntryKind::File && name == newFileName;
}

} // namespace

NewFile::NewFile(const QString& target) : target(target)
{
    const QString folder = QFileInfo(target).path();
    MarkedFolder::removeLeftovers(folder, workFolderPrefix, isASavesOwn);
    work.emplace(folder, workFolderPrefix, isASavesOwn);
    if (!work->isValid()) {
        error = work->errorString();
        return;
    }
    // As any new file: what the user's umask allows, until it is given the
    // attributes of the file it replaces.
    file = ::open(QFile::encodeName(QDir(work->path()).filePath(QLatin1String(newFileName))).constData(),
                  O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (file < 0)
        error = systemErrorText(errno);
}

NewFile::~NewFile()
{
    if (file >= 0)
        ::close(file);
}

MoveOutcome NewFile::commit(const QByteArray& bytes, const std::optional<FileIdentity>& targetAsRead,
                            const StepHook& step)
{
    if (!writeAllAt(file, bytes.constData(), std::size_t(bytes.size()), 0) || ::close(std::exchange(file, -1)) != 0)
        return {MoveOutcome::Status::Failed, systemErrorText(errno)};
    reach(step, "new file written");
    return moveIntoPlace(QDir(work->path()).filePath(QLatin1String(newFileName)), target, targetAsRead);
}

} // namespace platform
