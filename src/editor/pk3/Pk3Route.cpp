// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/pk3/Pk3Route.h"

#include "editor/OutputRoutes.h"
#include "editor/pk3/ArchiveUpdate.h"
#include "editor/pk3/ArchiverCommand.h"
#include "editor/pk3/Module1.h"
#include "editor/pk3/StagedFile.h"
#include "gamecheck/ShownName.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/system/FolderLock.h"
#include "platform/system/ProgramName.h"
#include "platform/system/SettingsStore.h"
#include "platform/system/SystemError.h"

#include <QDir>
#include <QFile>
#include <QUuid>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace editor {

namespace {

const QString probePath = QStringLiteral("c:\\Scripts\\");
const QString stagingPath = QStringLiteral("C:\\scripts\\");
const QString archiverStagingPath = QStringLiteral("C:\\SCRIPTS\\");
const QString driveRoot = QStringLiteral("C:\\");

const QString successMessage = QStringLiteral("The requested task was successfully completed.");
const QString failureMessage = QStringLiteral(
    "Sorry, there was an error creating the file. Please fill in the feedback form at the address in the About box "
    "and we will try to help you.");

// A map file name becomes a file name in the staging folder; a name that
// reaches out of it would write, and then delete, a file elsewhere.
QString mapNameProblem(const QString& map)
{
    if (map.contains(QLatin1Char('/')) || map.contains(QLatin1Char('\\')))
        return QStringLiteral("The map file name \"%1\" cannot be used for a file in the archive: it must not "
                              "contain / or \\.")
            .arg(map);
    if (map == QLatin1String(".") || map == QLatin1String(".."))
        return QStringLiteral("The map file name \"%1\" cannot be used for a file in the archive: it names a "
                              "folder. Please give the map's own name.")
            .arg(map);
    return QString();
}

// The classic failure message, with why and what became of the archive.
QString failureText(const QString& reason, const QString& archiveState)
{
    return QStringLiteral("%1\n\n%2\n%3").arg(failureMessage, reason, archiveState);
}

} // namespace

Pk3Route::Pk3Route(const platform::Services& services, QWidget* window)
    : services(services), window(window), fileSystem(services.locations.driveCRootOrDefault())
{
}

bool Pk3Route::run(const QString& archivePath, const ArenaValues& values)
{
    return run(archivePath, values, archiveTarget(nullptr, values));
}

bool Pk3Route::run(const QString& archivePath, const ArenaValues& values, const ArchiveTarget& target)
{
    // An arena written back keeps its entry's name, unless it takes its map's.
    const bool entryNamedAfterMap = !target.writtenBack || !target.replaced.isEmpty();
    if (const QString problem = entryNamedAfterMap ? mapNameProblem(values.map) : QString(); !problem.isEmpty()) {
        tell(problem, platform::Exclamation);
        return false;
    }
    // The staged file takes the name that follows the entry's folder; the
    // entry keeps its name byte for byte, whether text or not.
    entryName = target.entry;
    stagedName = stagedNameOf(entryName);
    untouched = QStringLiteral("The archive %1 is as it was.").arg(QDir::toNativeSeparators(archivePath));
    for (const QByteArray& name : {target.entry, target.replaced}) {
        if (!name.isEmpty() && !archiverTakesName(name)) {
            tell(failureText(QStringLiteral("The archive's entry %1 has a line break in its name, and zip, which "
                                            "takes the names it is given one a line, cannot be given it.")
                                 .arg(gamecheck::shownName(name)),
                             untouched),
                 platform::Exclamation);
            return false;
        }
    }
    if (!driveIsReady())
        return false;
    // Every run of the user's stages in this one folder: a second run at the
    // same time would take the first one's staged file for the user's.
    const platform::FolderLock driveLock(fileSystem.driveRoot());
    if (anotherRunIsStaging(driveLock))
        return false;
    if (!stageOrTellWhy(target.text))
        return false;
    const ArchiveUpdateOutcome update = updateArchive(
        window, services, {archivePath, fileSystem.hostPath(archiverStagingPath), entryName, target.text, target.replaced});
    if (!update.leftBehind.isEmpty())
        leftBeside << QDir::toNativeSeparators(update.leftBehind);
    using Result = ArchiveUpdateOutcome::Result;
    if (update.result == Result::Updated) {
        finishAfterUpdate(archivePath, update, target.writtenBack);
        return true;
    }
    if (update.result == Result::Declined) // the user's own answer: nothing to tell
        tellLeftovers(cleanUp());
    else if (update.result == Result::ArchiveChanged)
        fail(update.reason, QStringLiteral("The archive %1 is as the other program left it: Mapwright has not "
                                           "written to it.")
                                .arg(QDir::toNativeSeparators(archivePath)));
    else
        fail(update.reason, update.archiveExisted ? untouched
                                                  : QStringLiteral("No archive was made at %1.")
                                                        .arg(QDir::toNativeSeparators(archivePath)));
    return false;
}

bool Pk3Route::driveIsReady()
{
    if (fileSystem.prepareDrive())
        return true;
    fail(QStringLiteral("The staging folder %1 could not be made.").arg(QDir::toNativeSeparators(fileSystem.driveRoot())),
         untouched);
    return false;
}

bool Pk3Route::anotherRunIsStaging(const platform::FolderLock& driveLock)
{
    using State = platform::FolderLock::State;
    if (driveLock.state() == State::Held)
        return false;
    // Nothing of this run's to clean up, and another run's is not ours.
    tell(failureText(driveLock.state() == State::HeldByAnother
                         ? QStringLiteral("Another Mapwright is adding an arena file to an archive right now. Please "
                                          "try again once it has finished.")
                         : QStringLiteral("The staging folder %1 cannot be locked (%2), so Mapwright cannot make sure "
                                          "that no other Mapwright stages a file there at the same time.")
                               .arg(QDir::toNativeSeparators(fileSystem.driveRoot()),
                                    platform::systemErrorText(driveLock.error())),
                     untouched),
         platform::Exclamation);
    return true;
}

// Staging failures end the route before the archiver starts: it would only
// add a file that is not there, or not the one just written.
bool Pk3Route::stageOrTellWhy(const QByteArray& text)
{
    folderExisted = FolderExists(fileSystem, probePath);
    if (stage(text))
        return true;
    fail(QStringLiteral("The arena file could not be written to the staging folder %1.")
             .arg(QDir::toNativeSeparators(fileSystem.hostPath(stagingPath))),
         untouched);
    return false;
}

// The archive is in place and checked: whatever fails from here on is told
// as what it is, not as a failure to write the archive.
void Pk3Route::finishAfterUpdate(const QString& archivePath, const ArchiveUpdateOutcome& update, bool writtenBack)
{
    QStringList whatFailed = update.notKept;
    if (!rememberName(pk3Route, archivePath))
        whatFailed << QStringLiteral("Mapwright could not remember the archive's name for next time: the settings "
                                     "file %1 could not be written.")
                          .arg(QDir::toNativeSeparators(platform::SettingsStore::filePath(platform::programName)));
    if (const QStringList leftovers = cleanUp(); !leftovers.isEmpty())
        whatFailed << QStringLiteral("Mapwright could not tidy up after itself. Still there:\n%1")
                          .arg(leftovers.join(QLatin1Char('\n')));
    if (whatFailed.isEmpty() && writtenBack)
        tell(QStringLiteral("%1\n\nThe arena was written back into %2 as %3.")
                 .arg(successMessage, QDir::toNativeSeparators(archivePath), gamecheck::shownName(entryName)),
             platform::Information);
    else if (whatFailed.isEmpty())
        tell(successMessage, platform::Information);
    else
        tellUpdatedBut(update.archivePath, whatFailed);
}

bool Pk3Route::stage(const QByteArray& text)
{
    if (folderExisted == 0) {
        if (!fileSystem.ChDir(driveRoot) || !fileSystem.ChDrive(driveRoot)
            || !fileSystem.MkDir(QStringLiteral("scripts")))
            return false;
        folderToRemove = true;
    }
    if (!fileSystem.ChDir(stagingPath) || !setAsideWhatWouldBeTakenForTheStagedFile())
        return false;
    return writeNewFile(stagedPath(), text, stagedFileIsOurs);
}

QByteArray Pk3Route::stagedPath() const
{
    return QFile::encodeName(fileSystem.hostPath(stagingPath)) + '/' + stagedName;
}

// On the drive these paths come from, Q3DM17.arena and q3dm17.arena are one
// file: whatever answers to the staged name is the user's, or left by an
// earlier run, and waits under a name of its own until the route ends.
bool Pk3Route::setAsideWhatWouldBeTakenForTheStagedFile()
{
    const QByteArray folder = QFile::encodeName(fileSystem.hostPath(stagingPath)) + '/';
    for (const QByteArray& name : namesAnsweringTo(folder, stagedName)) {
        const QByteArray aside = folder + '.' + name + ".kept-" + QUuid::createUuid().toString(QUuid::Id128).toLatin1();
        if (!renameWithoutReplacing(folder + name, aside))
            return false;
        setAside.emplace_back(aside, folder + name);
    }
    return true;
}

void Pk3Route::fail(const QString& reason, const QString& archiveState)
{
    tell(failureText(reason, archiveState), platform::Exclamation);
    tellLeftovers(cleanUp());
}

void Pk3Route::tellLeftovers(const QStringList& leftovers)
{
    if (!leftovers.isEmpty())
        tell(QStringLiteral("Mapwright could not tidy up after itself. Still there:\n%1").arg(leftovers.join('\n')),
             platform::Exclamation);
}

void Pk3Route::tellUpdatedBut(const QString& archivePath, const QStringList& whatFailed)
{
    tell(QStringLiteral("The arena file was added to the archive %1 as %2.\n\n%3")
             .arg(QDir::toNativeSeparators(archivePath), gamecheck::shownName(entryName),
                  whatFailed.join(QStringLiteral("\n\n"))),
         platform::Exclamation);
}

// Undoes what the route did in the staging folder, as far as it can, and
// names what it could not undo. Run again, it tries only what is left.
QStringList Pk3Route::cleanUp()
{
    QStringList leftovers;
    if (stagedFileIsOurs) {
        if (::unlink(stagedPath().constData()) == 0 || errno == ENOENT)
            stagedFileIsOurs = false;
        else
            leftovers << gamecheck::shownName(stagedPath());
    }
    for (auto kept = setAside.begin(); kept != setAside.end();) {
        if (renameWithoutReplacing(kept->first, kept->second)) {
            kept = setAside.erase(kept);
        } else {
            leftovers << QStringLiteral("%1 (your %2, kept under this name)")
                             .arg(gamecheck::shownName(kept->first),
                                  gamecheck::shownName(kept->second.mid(kept->second.lastIndexOf('/') + 1)));
            ++kept;
        }
    }
    if (folderToRemove) {
        fileSystem.ChDir(driveRoot);
        if (fileSystem.RmDir(QStringLiteral("SCRIPTS")))
            folderToRemove = false;
        else
            leftovers << QDir::toNativeSeparators(fileSystem.hostPath(stagingPath));
    }
    if (leftovers.isEmpty())
        services.locations.removeDriveCIfEmpty();
    return leftBeside + leftovers;
}

void Pk3Route::tell(const QString& message, int style)
{
    services.messageBox->show(window, message, style, platform::programName);
}

} // namespace editor
