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
    QByteArray fileText; // the arena file's bytes as opened
    qsizetype begin = 0; // the block's bytes in them
    qsizetype end = 0;
    bool onlyBlock = false; // the arena file holds this block alone
    ArenaFields fields;     // as opened
};

OpenedArena openedArena(const QString& path, const gamecheck::FileToEdit& file, const ArenaChoice& choice);

// The arena file's text with the block in Mapwright's layout in its place
// and every other byte as it was.
QByteArray withBlockReplaced(const OpenedArena& opened, const ArenaValues& values);

} // namespace editor
