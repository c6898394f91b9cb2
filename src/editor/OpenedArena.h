// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/ArenaChoices.h"
#include "editor/ArenaText.h"

namespace editor {

// The arena the window shows since File, Open: where it came from, and the
// bytes around it that Create writes back as they were.
struct OpenedArena {
    QString path;
    bool archive = false;
    QByteArray entry; // the archive's arena file; empty for a loose file
    int block = -1;   // -1: a new arena for a map of the archive
    QString place;    // as placeOf says it
    QByteArray fileText;     // the arena file's bytes as opened
    game::InfoBlock reading; // the block, as the game read it from them
    bool onlyBlock = false;  // the arena file holds this block alone
    ArenaFields fields;      // as opened
};

OpenedArena openedArena(const QString& path, const gamecheck::FileToEdit& file, const ArenaChoice& choice);

// The arena file's text with the values written into the block (see
// editedBlock) and every other byte as it was.
QByteArray withBlockReplaced(const OpenedArena& opened, const ArenaValues& values);

// Where Create puts an arena in an archive.
struct ArchiveTarget {
    QByteArray entry;    // the entry that holds the arena
    QByteArray text;     // the entry's whole content
    QByteArray replaced; // an entry of another name it takes the place of; empty when none
    bool writtenBack = false; // into the entry it was opened from
};

// An arena written back goes into the entry it came from, with the rest of
// that entry as it was; the entry takes a changed map's name only where it
// held that one arena and was named after the old map. Any other arena goes
// in as scripts/<map>.arena, alone. `opened` is null for the latter.
ArchiveTarget archiveTarget(const OpenedArena* opened, const ArenaValues& values);

} // namespace editor
