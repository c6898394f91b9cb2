// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/ArenaText.h"
#include "editor/OpenedArena.h"
#include "editor/pk3/ArchiveUpdate.h"
#include "platform/dialogs/Services.h"
#include "platform/system/FileSystem.h"
#include "platform/system/FolderLock.h"

#include <QString>
#include <QByteArray>
#include <QStringList>

#include <utility>
#include <vector>

class QWidget;

namespace editor {

// Delivers the arena file into a .pk3 archive: stages it as
// C:\scripts\<map>.arena, has the archiver add it to the archive as
// scripts/<map>.arena, remembers the archive, cleans the staging folder up
// and reports the outcome, truthfully: the archive is either updated and
// checked, or as it was, or as another program that changed it meanwhile
// left it. Everything the user had in the staging folder before stays as it
// was.
class Pk3Route {
public:
    Pk3Route(const platform::Services& services, QWidget* window);

    // values.map is the trimmed map file name; archivePath is the dialog's
    // choice, as it returned it. The arena goes in as scripts/<map>.arena,
    // or into the entry `target` names, with the content it gives. Returns
    // whether the archive was updated.
    bool run(const QString& archivePath, const ArenaValues& values);
    bool run(const QString& archivePath, const ArenaValues& values, const ArchiveTarget& target);

private:
    bool driveIsReady();
    bool anotherRunIsStaging(const platform::FolderLock& driveLock);
    bool stageOrTellWhy(const QByteArray& text);
    bool stage(const QByteArray& text);
    bool setAsideWhatWouldBeTakenForTheStagedFile();
    QByteArray stagedPath() const;
    QStringList cleanUp();
    void fail(const QString& reason, const QString& archiveState);
    void finishAfterUpdate(const QString& archivePath, const ArchiveUpdateOutcome& update, bool writtenBack);
    void tellLeftovers(const QStringList& leftovers);
    void tellUpdatedBut(const QString& archivePath, const QStringList& whatFailed);
    void tell(const QString& message, int style);

    platform::Services services;
    QWidget* window;
    platform::FileSystem fileSystem;
    QByteArray stagedName; // byte for byte, as the entry's name gives it
    QByteArray entryName;
    QString untouched; // the message's last line when the archive is as it was
    QStringList leftBeside; // what of the route's own stays beside the archive
    int folderExisted = 0;
    bool folderToRemove = false;   // the route made the staging folder
    bool stagedFileIsOurs = false; // only then may the clean-up delete it
    // Entries of the user's that the game would take for the staged file,
    // each under a name of its own until the route ends: (kept as, original).
    std::vector<std::pair<QByteArray, QByteArray>> setAside;
};

} // namespace editor
