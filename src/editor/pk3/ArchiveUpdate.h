// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs/Services.h"

#include <QByteArray>
#include <QString>

class QWidget;

namespace editor {

struct ArchiveUpdateRequest {
    QString archivePath;   // as the save dialog returned it
    QString stagingFolder; // the folder of this machine that holds the staged file
    QString stagedName;    // <map>.arena, the entry scripts/<map>.arena
    QByteArray stagedBytes;
    QString entryFolder = QStringLiteral("scripts"); // the entry's folder, in its own letter case
    QByteArray replacedEntry = {}; // an entry of another name the staged one takes the place of
};

struct ArchiveUpdateOutcome {
    bool updated = false;
    bool archiveExisted = false;
    QString archivePath; // the file that was, or would have been, replaced: a link's target
    QString reason;      // why it was not updated, in a sentence
};

// Adds the staged file to the archive without ever putting the archive at
// risk. The archiver reads the archive through a link and writes a new one
// in a private folder beside it; the new one takes the archive's place in
// one rename, once it has been checked. Until then the archive is not
// touched, so a failure, Stop or a kill at any point leaves it as it was.
// One run at a time works in a folder, and a private folder that a killed
// run left there is removed by the next.
ArchiveUpdateOutcome updateArchive(QWidget* window, const platform::Services& services,
                                   const ArchiveUpdateRequest& request);

} // namespace editor
