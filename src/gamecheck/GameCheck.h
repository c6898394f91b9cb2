// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/InfoFile.h"
#include "game/SearchPath.h"
#include "gamecheck/Finding.h"
#include "gamecheck/FolderRules.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

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
// An archive among other pk3s, or an arena file in the scripts/ folder of a
// game folder with pk3s, is judged as the game loads it among them and the
// rest of the game's search path (as `where` says where it is), and what is
// found about it alone is reported.
// Checksums of maps are remembered in `checksums`, where given.
CheckResult checkFile(const QString& path, platform::ChecksumCache* checksums = nullptr,
                      const game::Locations& where = {});
// The same for several files, in their order; each game folder is read
// once for all the files that lie in it.
// The paths are the file system's own bytes, as the command line gives them.
std::vector<CheckResult> checkFiles(const QByteArrayList& paths, platform::ChecksumCache* checksums = nullptr,
                                    const game::Locations& where = {});

// What checking a game folder found, and how many arenas its loaders take.
struct FolderCheckResult {
    bool readable = true;
    QString reason;
    FolderReport report;
};

// Checks a game folder, the base folder or a mod's, as the game loads it:
// every pk3 and loose file of its whole search path, in the game's order,
// a mod's folder before the game's own and the home folder's before the
// install's, as far as `where` tells where they are.
FolderCheckResult checkFolder(const QString& path, const game::Locations& where = {},
                              platform::ChecksumCache* checksums = nullptr);

// The checks for Create, before anything is written. An arena file about to
// be saved as `arenaPath`, in a game folder's scripts/ among its pk3s where
// it is one:
Findings checkArenaToSave(const QByteArray& text, const QString& arenaPath, const game::Locations& where = {});
// An arena about to be added to the archive at `archivePath` as `entryName`,
// the archive checked as it will be once the entry is in place, replacing
// any entry the game takes for the same name, among the other pk3s of its
// folder. An archive that does not exist yet is checked as one that will
// hold the arena alone.
CheckResult checkArenaToAdd(const QByteArray& text, const QString& archivePath, const QByteArray& entryName,
                            platform::ChecksumCache* checksums = nullptr, const game::Locations& where = {});

// One arena file of a file opened for editing: the loose file itself, or an
// entry of the archive.
struct ArenaFile {
    QByteArray entry; // its name, byte for byte; empty for a loose file
    QByteArray text; // all of it; only its start when the game skips it for its size
    std::uint64_t size = 0;
    bool tooLarge = false;
    game::InfoReading reading; // of `text`, as the game reads it
};

// A file read to be edited, exactly as the check reads it, with what the
// check found in it.
struct FileToEdit {
    CheckResult check; // when not readable, nothing else is filled in
    bool archive = false;
    std::vector<ArenaFile> arenaFiles; // that could be read, in the game's order: scripts/arenas.txt first
    QByteArrayList maps; // the archive's maps/<name>.bsp, by name
};

// Reads an archive (a name ending in .pk3, in any case) or a loose arena
// file, reading of an archive only its directory and its arena files, its
// list of arenas, scripts/arenas.txt, included.
FileToEdit readToEdit(const QString& path);

} // namespace gamecheck
