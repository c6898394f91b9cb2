#include "editor/Pk3Route.h"

#include "editor/ArchiveWorkingCopy.h"
#include "editor/ArchiverCommand.h"
#include "editor/ArenaFile.h"
#include "editor/Module1.h"
#include "editor/OutputRoutes.h"
#include "platform/MessageBox.h"
#include "platform/ProgramRun.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

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
bool isPlainFileName(const QString& name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && name != QLatin1String(".")
           && name != QLatin1String("..");
}

} // namespace

Pk3Route::Pk3Route(platform::MessageBox& messages, const platform::Locations& locations, QWidget* window)
    : messages(messages), locations(locations), window(window), fileSystem(locations.driveCRootOrDefault())
{
}

void Pk3Route::run(const QString& archivePath, const ArenaValues& values)
{
    if (!isPlainFileName(values.map)) {
        tell(QStringLiteral("The map file name \"%1\" cannot be used for a file in the archive: it must not "
                            "contain / or \\.")
                 .arg(values.map),
             platform::Exclamation);
        return;
    }
    const QString stagedName = values.map + QStringLiteral(".arena");
    if (!fileSystem.prepareDrive()) {
        tell(failureMessage, platform::Exclamation);
        return;
    }
    folderExisted = FolderExists(fileSystem, probePath);

    if (!stage(stagedName, values) || !runArchiver(archivePath, stagedName) || !fileSystem.ChDir(stagingPath)) {
        fail(stagedName);
        return;
    }
    tell(successMessage, platform::Information);
    rememberName(pk3Route, archivePath);
    cleanUp(stagedName);
}

bool Pk3Route::stage(const QString& stagedName, const ArenaValues& values)
{
    if (folderExisted == 0) {
        if (!fileSystem.ChDir(driveRoot) || !fileSystem.ChDrive(driveRoot)
            || !fileSystem.MkDir(QStringLiteral("scripts")))
            return false;
    }
    if (!fileSystem.ChDir(stagingPath))
        return false;

    // Something of the staged name already there is the user's, or left by
    // an earlier run: it waits under a name of its own until the route ends.
    const QString stagedHostPath = fileSystem.hostPath(stagingPath + stagedName);
    if (QFileInfo(stagedHostPath).exists() || QFileInfo(stagedHostPath).isSymLink()) {
        const QString aside = QFileInfo(stagedHostPath).dir().filePath(
            QStringLiteral(".%1.kept-%2").arg(stagedName, QUuid::createUuid().toString(QUuid::Id128)));
        if (!QDir().rename(stagedHostPath, aside))
            return false;
        setAsidePath = aside;
    }
    stagedFileIsOurs = true;
    return writeArenaFile(stagedHostPath, values).written;
}

bool Pk3Route::runArchiver(const QString& archivePath, const QString& stagedName)
{
    ArchiveWorkingCopy workingCopy(archivePath);
    if (!workingCopy.prepare())
        return false;
    const QString stagedRelative = QDir(fileSystem.driveRoot())
                                       .relativeFilePath(fileSystem.hostPath(archiverStagingPath + stagedName));
    platform::ProgramRunRequest request;
    request.program = QDir(locations.programFolder).filePath(archiverFileName());
    request.arguments = archiverArguments(workingCopy.path(), stagedRelative);
    request.workingFolder = fileSystem.driveRoot();
    request.windowsCommandLine = archiverCommandLine(QDir::toNativeSeparators(locations.programFolder),
                                                     QDir::toNativeSeparators(archivePath), stagedName);
    request.progressText = QStringLiteral("Adding %1 to %2...").arg(stagedName, QFileInfo(archivePath).fileName());
    // The user's default zip options (-m deletes what it adds, -D, -j...)
    // would change what lands in the archive.
    request.unsetVariables = {QStringLiteral("ZIPOPT"), QStringLiteral("ZIP")};
    return platform::runProgram(window, request).status == platform::ProgramRunOutcome::Status::Succeeded
           && workingCopy.commit();
}

void Pk3Route::fail(const QString& stagedName)
{
    tell(failureMessage, platform::Exclamation);
    cleanUp(stagedName);
}

void Pk3Route::cleanUp(const QString& stagedName)
{
    if (stagedFileIsOurs)
        fileSystem.Kill(archiverStagingPath + stagedName);
    restoreSetAside(stagedName);
    if (folderExisted == 0) {
        fileSystem.ChDir(driveRoot);
        fileSystem.RmDir(QStringLiteral("SCRIPTS"));
    }
}

void Pk3Route::restoreSetAside(const QString& stagedName)
{
    if (setAsidePath.isEmpty())
        return;
    const QString original = fileSystem.hostPath(stagingPath + stagedName);
    if (!QDir().rename(setAsidePath, original)) {
        tell(QStringLiteral("A file named %1 was in the staging folder before and could not be put back. It is "
                            "kept as\n%2")
                 .arg(stagedName, setAsidePath),
             platform::Exclamation);
    }
    setAsidePath.clear();
}

void Pk3Route::tell(const QString& message, int style)
{
    messages.show(window, message, style, QStringLiteral("Mapwright"));
}

} // namespace editor
