// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/pk3/ArchiveUpdate.h"

#include "editor/pk3/ArchiveCheck.h"
#include "editor/pk3/ArchiverCommand.h"
#include "game/EntryNames.h"
#include "gamecheck/ShownName.h"
#include "platform/dialogs/ProgressWindow.h"
#include "platform/system/FileAttributes.h"
#include "platform/system/FileMove.h"
#include "platform/system/FolderLock.h"
#include "platform/system/MarkedFolder.h"
#include "platform/system/OwnedDescriptor.h"
#include "platform/system/ProgramName.h"
#include "platform/system/ProgramRun.h"
#include "platform/system/SystemError.h"
#include "platform/system/ZipArchive.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace editor {

namespace {

// The private folder's own names for the archive it reads and the one it
// writes. zip adds ".zip" to a name without an extension, so both have one.
const QString inputName = QStringLiteral("in.pk3");
const QString outputName = QStringLiteral("out.pk3");
const QByteArray privateFolderPrefix = QByteArrayLiteral(".mapwright-");
// Room for the directory the new archive's entry adds, with some to spare.
constexpr qint64 spareBytes = 64 * 1024;

QString archiverPath(const platform::Locations& locations)
{
    const QFileInfo beside(QDir(locations.programFolder).filePath(QLatin1String(archiverFileName)));
    if (!locations.programFolder.isEmpty() && beside.isExecutable() && beside.isFile())
        return beside.filePath();
    return QStandardPaths::findExecutable(QLatin1String(archiverFileName));
}

// Where an entry's name parts its folder from the staged file's name: a
// '\\' in a pk3 entry's name parts folders for the game, as '/' does.
qsizetype folderEnd(const QByteArray& entryName)
{
    return std::max(entryName.lastIndexOf('/'), entryName.lastIndexOf('\\'));
}

// What a run makes in its private folder: the links to the staging folder
// (named as the entry's folder, "scripts" in its letter case) or to the
// staged file (named as the whole entry where a '\\' parts it, which zip
// takes for part of a file's name), and to the archive, the new archive,
// and the temporary file zip writes it under (mkstemp's "zi" and six
// letters or digits).
bool isARunsOwn(const QByteArray& name, platform::EntryKind kind)
{
    if (kind == platform::EntryKind::Link)
        return name.compare("scripts", Qt::CaseInsensitive) == 0
               || name.left(8).compare("scripts\\", Qt::CaseInsensitive) == 0 || name == inputName.toLatin1();
    static const QRegularExpression zipTemporary(QStringLiteral("^zi[A-Za-z0-9]{6}$"));
    return name == outputName.toLatin1() || zipTemporary.match(QString::fromLatin1(name)).hasMatch();
}

QString userName(uid_t user)
{
    const passwd* entry = ::getpwuid(user);
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString::number(user);
}

QString groupName(gid_t group)
{
    const struct group* entry = ::getgrgid(group);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(group);
}

// Opens a file to hold while the update lasts. The archive is held from
// before it is read: it is the file the new archive may replace, and the one
// whose attributes the new archive takes.
int openToHold(const QString& path)
{
    return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
}

class Update {
    using Result = ArchiveUpdateOutcome::Result;

public:
    Update(QWidget* window, const platform::Services& services, const ArchiveUpdateRequest& request)
        : window(window), services(services), request(request)
    {
        const QFileInfo chosen(request.archivePath);
        // A link to an archive stays a link: the archive it leads to is updated.
        outcome.archivePath = chosen.isSymLink() && chosen.exists() ? chosen.canonicalFilePath()
                                                                    : chosen.absoluteFilePath();
        archive = QFileInfo(outcome.archivePath);
        outcome.archiveExisted = archive.exists();
    }

    ArchiveUpdateOutcome run()
    {
        outcome.reason = attempt();
        if (work && !work->remove())
            outcome.leftBehind = work->path();
        return outcome;
    }

private:
    QString attempt()
    {
        if (outcome.archiveExisted && !archive.isFile())
            return QStringLiteral("It is not a file.");
        // zip refuses an archive the user may not write; a rename in its
        // folder would not, and would leave it the user's own.
        if (outcome.archiveExisted && !archive.isWritable())
            return QStringLiteral("You may not change this archive.");
        const QString folder = archive.path();
        if (!QFileInfo(folder).isWritable())
            return QStringLiteral("You may not make files in its folder, where the new archive is made.");

        const platform::FolderLock lock(folder);
        if (const QString problem = lockProblem(lock); !problem.isEmpty())
            return problem;
        platform::MarkedFolder::removeLeftovers(folder, privateFolderPrefix, isARunsOwn);

        if (const QString problem = roomForTheNewArchive(folder); !problem.isEmpty())
            return problem;
        if (const QString problem = readArchive(); !problem.isEmpty())
            return problem;

        work.emplace(folder, privateFolderPrefix, isARunsOwn);
        if (!work->isValid())
            return QStringLiteral("A working folder could not be made beside it: %1.").arg(work->errorString());
        const QDir workFolder(work->path());
        if (!linkTheStagedFile(workFolder.path())
            || (outcome.archiveExisted && !QFile::link(outcome.archivePath, workFolder.filePath(inputName))))
            return QStringLiteral("The working folder beside it could not be set up.");

        if (const QString problem = runArchiver(workFolder.path()); !problem.isEmpty())
            return problem;
        const QString result = workFolder.filePath(outputName);
        if (const QString problem =
                problemWithUpdatedArchive(before, result, request.entryName, request.stagedBytes, request.replacedEntry);
            !problem.isEmpty())
            return QStringLiteral("The archiver's new archive was not used: %1.").arg(problem);
        step("new archive checked");
        if (outcome.archiveExisted) {
            if (const QString problem = giveAttributes(result); !problem.isEmpty())
                return problem;
            if (outcome.result == Result::Declined)
                return QString();
        }
        const platform::MoveOutcome moved = platform::moveIntoPlace(result, outcome.archivePath, readAs);
        if (moved.status == platform::MoveOutcome::Status::TargetChanged) {
            outcome.result = Result::ArchiveChanged;
            return QStringLiteral("Another program changed it while Mapwright was adding to it, so the new archive, "
                                  "made from it as it was before, did not take its place: that would have undone "
                                  "the change. Please try again.");
        }
        if (moved.status != platform::MoveOutcome::Status::Moved)
            return QStringLiteral("The new archive could not take its place: %1.").arg(moved.reason);
        outcome.result = Result::Updated;
        step("archive replaced");
        return QString();
    }

    // zip names the entry by the path it is given. A "scripts" that leads to
    // the staging folder makes it scripts/<map>.arena exactly, whatever the
    // letter case of the staging folder's own name; a name with a '\\',
    // which is no folder to zip, is a link of that name to the staged file.
    bool linkTheStagedFile(const QString& workFolder) const
    {
        const qsizetype end = folderEnd(request.entryName);
        const QByteArray staging = QFile::encodeName(request.stagingFolder);
        const bool slashed = end >= 0 && request.entryName[end] == '/';
        const QByteArray target = slashed ? staging : staging + '/' + stagedNameOf(request.entryName);
        const QByteArray link = QFile::encodeName(workFolder) + '/'
                                + (slashed ? request.entryName.left(end) : request.entryName);
        return ::symlink(target.constData(), link.constData()) == 0;
    }

    // Without the lock a second run could read the archive before the first
    // has replaced it, and then replace it without the first one's entry.
    static QString lockProblem(const platform::FolderLock& lock)
    {
        switch (lock.state()) {
        case platform::FolderLock::State::Held:
            return QString();
        case platform::FolderLock::State::HeldByAnother:
            return QStringLiteral("Another Mapwright is adding to an archive in this folder right now. Please try "
                                  "again once it has finished.");
        case platform::FolderLock::State::Unavailable:
            break;
        }
        const QString why = lock.error() == EACCES
                                ? QStringLiteral("you may not list what is in its folder")
                                : QStringLiteral("its folder cannot be locked (%1)")
                                      .arg(platform::systemErrorText(lock.error()));
        return QStringLiteral("Mapwright cannot make sure that no other Mapwright adds to an archive in its folder "
                              "at the same time, and so would risk losing one of the two: %1.")
            .arg(why);
    }

    // The new archive takes the old one's owner, group, permissions and
    // extended attributes; where it would change hands, only if the user
    // says so. Empty when it may go on.
    QString giveAttributes(const QString& result)
    {
        const platform::OwnedDescriptor made(openToHold(result));
        const platform::AttributeCopy copy = platform::copyAttributes(*held, made);
        if (!copy.failure.isEmpty())
            return QStringLiteral("The new archive could not be given the archive's permissions: %1.").arg(copy.failure);
        if (!copy.ownerKept || !copy.groupKept) {
            struct stat old {}, given {};
            ::fstat(*held, &old);
            ::fstat(made, &given);
            const QString question =
                !copy.ownerKept ? QStringLiteral("This archive belongs to %1; once updated it will belong to you. Go on?")
                                      .arg(userName(old.st_uid))
                                : QStringLiteral("This archive belongs to the group %1; once updated it will belong to "
                                                 "your group %2. Go on?")
                                      .arg(groupName(old.st_gid), groupName(given.st_gid));
            if (!services.messageBox->ask(window, question, platform::programName)) {
                outcome.result = Result::Declined;
                return QString();
            }
        }
        if (!copy.lost.isEmpty())
            outcome.notKept << QStringLiteral("These extended attributes of the archive could not be kept: %1.")
                                   .arg(copy.lost.join(QStringLiteral(", ")));
        if (!copy.accessListKept)
            outcome.notKept << QStringLiteral("Without its access control list, the users and groups it named have "
                                              "lost their access to the archive, and no one has gained any.");
        return QString();
    }

    QString readArchive()
    {
        if (!outcome.archiveExisted)
            return QString();
        // Its identity comes before any of it is read: what changes it from
        // here on stops the rename.
        held.emplace(openToHold(outcome.archivePath));
        if (*held < 0 || !(readAs = platform::identityOf(*held)))
            return QStringLiteral("It cannot be read: %1.").arg(platform::systemErrorText(errno));
        QString reason;
        std::optional<platform::ZipArchive> opened = platform::ZipArchive::open(outcome.archivePath, &reason);
        if (!opened)
            return QStringLiteral("It cannot be read as a zip archive: %1.").arg(reason);
        before = opened->entries();
        return QString();
    }

    QString roomForTheNewArchive(const QString& folder) const
    {
        const qint64 needed = (outcome.archiveExisted ? archive.size() : 0) + request.stagedBytes.size() + spareBytes;
        const qint64 available = QStorageInfo(folder).bytesAvailable();
        if (available < 0 || needed <= available)
            return QString();
        const QLocale locale;
        return QStringLiteral("There is not enough free space beside it for the new archive: it needs %1, and %2 "
                              "is free.")
            .arg(locale.formattedDataSize(needed), locale.formattedDataSize(available));
    }

    QString runArchiver(const QString& workFolder)
    {
        const QString program = archiverPath(services.locations);
        if (program.isEmpty())
            return QStringLiteral("The archiver, zip, is missing: it is neither in Mapwright's folder nor on your "
                                  "PATH. Debian's package zip installs it.");
        const QString archiveName = archive.fileName();
        QByteArrayList names;
        for (const platform::ZipEntry& entry : before)
            names << entry.name;
        QByteArrayList staleEntries = game::caseVariantsOf(request.entryName, names);
        if (!request.replacedEntry.isEmpty() && names.contains(request.replacedEntry)
            && !staleEntries.contains(request.replacedEntry))
            staleEntries << request.replacedEntry;

        step("archiver about to start");
        // The game takes an entry of another letter case for the same file
        // and would see two arenas for one map: those go first.
        const QString stagedName = gamecheck::shownName(stagedNameOf(request.entryName));
        QString input = outcome.archiveExisted ? inputName : QString();
        if (!staleEntries.isEmpty()) {
            if (const QString problem =
                    runZip(program, archiverDeleteArguments(input, outputName), archiverNames(staleEntries), workFolder,
                           QStringLiteral("Removing the old %1 from %2...").arg(stagedName, archiveName));
                !problem.isEmpty())
                return problem;
            input.clear(); // the rest goes into the new archive itself
        }
        return runZip(program, archiverAddArguments(input, outputName), archiverNames({request.entryName}), workFolder,
                      QStringLiteral("Adding %1 to %2...").arg(stagedName, archiveName));
    }

    QString runZip(const QString& program, const QStringList& arguments, const QByteArray& names,
                   const QString& workFolder, const QString& progressText) const
    {
        platform::ProgramRunRequest run;
        run.program = program;
        run.arguments = arguments;
        run.standardInput = names;
        run.workingFolder = workFolder;
        run.progressText = progressText;
        // The user's default zip options (-m deletes what it adds, -D, -j...)
        // would change what lands in the archive.
        run.unsetVariables = {QStringLiteral("ZIPOPT"), QStringLiteral("ZIP")};
        // zip writes the new archive under a temporary name of its own in
        // this folder; the disk follows it, rather than all being written
        // only once the new archive has to be on the disk.
        run.whileRunning = [workFolder] { platform::startWritingOut(workFolder); };
        run.showProgress = platform::progressWindowOver(window);
        const platform::ProgramRunOutcome ran = platform::runProgram(run);
        using Status = platform::ProgramRunOutcome::Status;
        switch (ran.status) {
        case Status::Succeeded:
            return QString();
        case Status::FailedToStart:
            return QStringLiteral("The archiver %1 could not be started.").arg(QDir::toNativeSeparators(program));
        case Status::Stopped:
            return QStringLiteral("You stopped the archiver before it had finished.");
        case Status::Crashed:
            return QStringLiteral("The archiver was stopped before it had finished.");
        case Status::ExitedWithError:
            break;
        }
        if (ran.output.contains(std::strerror(ENOSPC)))
            return QStringLiteral("There is not enough free space on the disk for the new archive.");
        return QStringLiteral("The archiver said: %1").arg(lastLineOf(ran.output));
    }

    // zip's own last word, with its names for the archives made the user's.
    QString lastLineOf(const QByteArray& output) const
    {
        const QStringList lines = QString::fromLocal8Bit(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QString last = lines.isEmpty() ? QStringLiteral("it failed (no message)") : lines.last().trimmed();
        return last.replace(inputName, archive.fileName()).replace(outputName, archive.fileName());
    }

    void step(const char* name) const
    {
        if (services.stepReached)
            services.stepReached(name);
    }

    QWidget* window;
    const platform::Services& services;
    const ArchiveUpdateRequest& request;
    ArchiveUpdateOutcome outcome;
    QFileInfo archive;
    std::vector<platform::ZipEntry> before;
    std::optional<platform::OwnedDescriptor> held;
    std::optional<platform::FileIdentity> readAs;
    std::optional<platform::MarkedFolder> work;
};

} // namespace

QByteArray stagedNameOf(const QByteArray& entryName)
{
    return entryName.mid(folderEnd(entryName) + 1);
}

ArchiveUpdateOutcome updateArchive(QWidget* window, const platform::Services& services,
                                   const ArchiveUpdateRequest& request)
{
    return Update(window, services, request).run();
}

} // namespace editor
