#include "editor/Pk3Route.h"

#include "editor/ArchiveWorkingCopy.h"
#include "editor/ArchiverCommand.h"
#include "editor/Module1.h"
#include "editor/OutputRoutes.h"
#include "editor/ZipEntries.h"
#include "platform/FileReplacement.h"
#include "platform/MessageBox.h"
#include "platform/ProgramRun.h"
#include "platform/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUuid>

namespace editor {

namespace {

const QString probePath = QStringLiteral("c:\\Scripts\\");
const QString stagingPath = QStringLiteral("C:\\scripts\\");
const QString archiverStagingPath = QStringLiteral("C:\\SCRIPTS\\");
const QString driveRoot = QStringLiteral("C:\\");
// Where the game looks in an archive, whatever the staging folder's case.
const QString entryFolder = QStringLiteral("scripts");

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

} // namespace

Pk3Route::Pk3Route(const platform::Services& services, QWidget* window)
    : services(services), window(window), fileSystem(services.locations.driveCRootOrDefault())
{
}

void Pk3Route::run(const QString& archivePath, const ArenaValues& values)
{
    if (const QString problem = mapNameProblem(values.map); !problem.isEmpty()) {
        tell(problem, platform::Exclamation);
        return;
    }
    stagedName = values.map + QStringLiteral(".arena");
    if (!fileSystem.prepareDrive()) {
        tell(failureMessage, platform::Exclamation);
        return;
    }
    folderExisted = FolderExists(fileSystem, probePath);

    QString refusal;
    if (!stage(values) || !runArchiver(archivePath, refusal) || !fileSystem.ChDir(stagingPath)) {
        fail(refusal);
        return;
    }
    tell(successMessage, platform::Information);
    const bool remembered = rememberName(pk3Route, archivePath);
    if (!cleanUp().isEmpty() || !remembered)
        fail();
}

// Staging failures end the route before the archiver starts: it would only
// add a file that is not there, or not the one just written.
bool Pk3Route::stage(const ArenaValues& values)
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
    return platform::replaceFileContent(fileSystem.hostPath(stagingPath + stagedName), arenaText(values)).written;
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

bool Pk3Route::runArchiver(const QString& archivePath, QString& refusal)
{
    ArchiveWorkingCopy workingCopy(archivePath, services.hardLink);
    const ArchiveWorkingCopy::Preparation prepared = workingCopy.prepare(window);
    if (prepared.status != ArchiveWorkingCopy::Preparation::Status::Ready) {
        refusal = prepared.reason;
        return false;
    }
    // zip names the entry by the path it is given. A private folder whose
    // "scripts" leads to the staging folder makes that scripts/<map>.arena
    // exactly, whatever the letter case of the staging folder's own name.
    QTemporaryDir view;
    if (!view.isValid()
        || !QFile::link(fileSystem.hostPath(archiverStagingPath), QDir(view.path()).filePath(entryFolder)))
        return false;
    const QString entryName = entryFolder + QLatin1Char('/') + stagedName;
    const QString archiveName = QFileInfo(archivePath).fileName();

    // The game takes an entry of another letter case for the same file and
    // would see two arenas for one map: those go first.
    QStringList staleEntries;
    if (const std::optional<platform::ZipArchive> archive = platform::ZipArchive::open(workingCopy.path())) {
        QByteArrayList names;
        for (const platform::ZipEntry& entry : archive->entries())
            names << entry.name;
        for (const QByteArray& stale : caseVariantsOf(QFile::encodeName(entryName), names))
            staleEntries << QFile::decodeName(stale);
    }
    if (!staleEntries.isEmpty()
        && !runZip(archiverDeleteArguments(workingCopy.path(), staleEntries), view.path(),
                   QStringLiteral("Removing the old %1 from %2...").arg(stagedName, archiveName)))
        return false;
    return runZip(archiverAddArguments(workingCopy.path(), entryName), view.path(),
                  QStringLiteral("Adding %1 to %2...").arg(stagedName, archiveName))
           && workingCopy.commit();
}

bool Pk3Route::runZip(const QStringList& arguments, const QString& workingFolder, const QString& progressText)
{
    platform::ProgramRunRequest request;
    request.program = QDir(services.locations.programFolder).filePath(QLatin1String(archiverFileName));
    request.arguments = arguments;
    request.workingFolder = workingFolder;
    request.progressText = progressText;
    // The user's default zip options (-m deletes what it adds, -D, -j...)
    // would change what lands in the archive.
    request.unsetVariables = {QStringLiteral("ZIPOPT"), QStringLiteral("ZIP")};
    return platform::runProgram(window, request).status == platform::ProgramRunOutcome::Status::Succeeded;
}

void Pk3Route::fail(const QString& refusal)
{
    tell(refusal.isEmpty() ? failureMessage : refusal, platform::Exclamation);
    const QStringList leftovers = cleanUp();
    if (!leftovers.isEmpty())
        tell(QStringLiteral("Mapwright could not tidy up after itself. Still there:\n%1").arg(leftovers.join('\n')),
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
    return leftovers;
}

void Pk3Route::tell(const QString& message, int style)
{
    services.messageBox->show(window, message, style, QStringLiteral("Mapwright"));
}

} // namespace editor
