// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamecheck/Finding.h"

#include <QByteArray>
#include <QString>

namespace gamecheck {

// What checking a file found; when the file could not be read at all,
// `readable` is false, `reason` says why and there are no findings.
struct CheckResult {
    bool readable = true;
    QString reason;
    Findings findings;
};

// Checks a file as the game would read it: an archive (a name ending in
// .pk3, in any case) with every arena inside it, or else a loose .arena file.
CheckResult checkFile(const QString& path);

// The checks for Create, before anything is written. An arena file about to
// be saved as `arenaPath`:
Findings checkArenaToSave(const QByteArray& text, const QString& arenaPath);
// An arena about to be added to the archive at `archivePath` as `entryName`,
// the archive checked as it will be once the entry is in place, replacing
// any entry the game takes for the same name. An archive that does not exist
// yet is checked as one that will hold the arena alone.
CheckResult checkArenaToAdd(const QByteArray& text, const QString& archivePath, const QString& entryName);

} // namespace gamecheck
