// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs/Services.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QWidget;

namespace editor {

struct ArchiveUpdateRequest {
    QString archivePath;   // as the save dialog returned it
    QString stagingFolder; // the folder of this machine that holds the staged file
    // The entry, byte for byte: "scripts", a '/' or a '\\', and the staged
    // file's name, as in scripts/<map>.arena; zip gives the entry this name.
    QByteArray entryName;
    QByteArray stagedBytes;
    QByteArray replacedEntry = {}; // an entry of another name the staged one takes the place of
};

// The name of the staged file of an entry: what follows its folder.
QByteArray stagedNameOf(const QByteArray& entryName);

struct ArchiveUpdateOutcome {
    enum class Result {
        Updated,
        Failed,         // the archive is as it was, or none was made
        ArchiveChanged, // another program changed it meanwhile: it is as that one left it
        Declined,       // the user would not have it change hands
    };
    Result result = Result::Failed;
    bool archiveExisted = false;
    QString archivePath; // the file that was, or would have been, replaced: a link's target
    QString reason;      // why it was not updated, in a sentence
    QStringList notKept; // updated, but without these of the old archive's, each in a sentence
    QString leftBehind;  // the route's own folder beside the archive, where it could not be removed
};

// Adds the staged file to the archive without ever putting the archive at
// risk. The archiver reads the archive through a link and writes a new one
// in a private folder beside it; the new one takes the archive's place in
// one rename, once it has been checked and given the archive's owner,
// group, permissions and extended attributes, and only if the archive is
// still the one the archiver read. Until then the archive is not touched,
// so a failure, Stop or a kill at any point leaves it as it was. One run at
// a time works in a folder, and it refuses where it cannot make sure of
// that; a private folder that a killed run left there is removed by the
// next. Where the archive would change hands, the user is asked first.
ArchiveUpdateOutcome updateArchive(QWidget* window, const platform::Services& services,
                                   const ArchiveUpdateRequest& request);

} // namespace editor
