// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/pk3/Pk3Route.h"

#include "editor/OutputRoutes.h"
#include "editor/pk3/ArchiveUpdate.h"
#include "editor/pk3/Module1.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/system/FileReplacement.h"
#include "platform/system/FolderLock.h"
#include "platform/system/ProgramName.h"
#include "platform/system/SettingsStore.h"
#include "platform/system/SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <cstring>

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
    if (const QString problem = mapNameProblem(values.map); !problem.isEmpty()) {
        tell(problem, platform::Exclamation);
        return false;
    }
    // The staged file takes the entry's own name, in a folder the archiver
    // finds under the entry's folder name.
    entryName = QString::fromUtf8(target.entry);
    const qsizetype slash = entryName.indexOf(QLatin1Char('/'));
    stagedName = entryName.mid(slash + 1);
    untouched = QStringLiteral("The archive %1 is as it was.").arg(QDir::toNativeSeparators(archivePath));
    if (!driveIsReady())
        return false;
    // Every run of the user's stages in this one folder: a second run at the
    // same time would take the first one's staged file for the user's.
    const platform::FolderLock driveLock(fileSystem.driveRoot());
    if (anotherRunIsStaging(driveLock))
        return false;
    if (!stageOrTellWhy(target.text))
        return false;
    const ArchiveUpdateOutcome update =
        updateArchive(window, services,
                      {archivePath, fileSystem.hostPath(archiverStagingPath), stagedName, target.text,
                       entryName.left(slash), target.replaced});
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
                 .arg(successMessage, QDir::toNativeSeparators(archivePath), entryName),
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
    stagedFileIsOurs = true;
    return platform::replaceFileContent(fileSystem.hostPath(stagingPath + stagedName), text).written;
}

// On the drive these paths come from, Q3DM17.arena and q3dm17.arena are one
// file: whatever answers to the staged name is the user's, or left by an
// earlier run, and waits under a name of its own until the route ends.
bool Pk3Route::setAsideWhatWouldBeTakenForTheStagedFile()
{
    const QDir folder(fileSystem.hostPath(stagingPath));
    for (const QString& entry : platform::FileSystem::entriesAnsweringTo(folder.path(), stagedName)) {
        const QString original = folder.filePath(entry);
        const QString aside =
            folder.filePath(QStringLiteral(".%1.kept-%2").arg(entry, QUuid::createUuid().toString(QUuid::Id128)));
        if (!QDir().rename(original, aside))
            return false;
        setAside.emplace_back(aside, original);
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
             .arg(QDir::toNativeSeparators(archivePath), entryName, whatFailed.join(QStringLiteral("\n\n"))),
         platform::Exclamation);
}

// Undoes what the route did in the staging folder, as far as it can, and
// names what it could not undo. Run again, it tries only what is left.
QStringList Pk3Route::cleanUp()
{
    QStringList leftovers;
    const QString staged = fileSystem.hostPath(archiverStagingPath + stagedName);
    if (stagedFileIsOurs) {
        const QFileInfo file(staged);
        if ((!file.exists() && !file.isSymLink()) || fileSystem.Kill(archiverStagingPath + stagedName))
            stagedFileIsOurs = false;
        else
            leftovers << QDir::toNativeSeparators(staged);
    }
    for (auto kept = setAside.begin(); kept != setAside.end();) {
        if (QDir().rename(kept->first, kept->second)) {
            kept = setAside.erase(kept);
        } else {
            leftovers << QStringLiteral("%1 (your %2, kept under this name)")
                             .arg(QDir::toNativeSeparators(kept->first), QFileInfo(kept->second).fileName());
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
