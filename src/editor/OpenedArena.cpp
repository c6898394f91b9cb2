// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/OpenedArena.h"

#include "editor/BlockEdit.h"
#include "editor/Windows1252.h"
#include "game/EntryNames.h"

namespace editor {

OpenedArena openedArena(const QString& path, const gamecheck::FileToEdit& file, const ArenaChoice& choice)
{
    OpenedArena opened{path, file.archive, {}, choice.block, placeOf(file, choice), {}, {}, false, choice.fields};
    if (choice.isNewArena())
        return opened;
    const gamecheck::ArenaFile& arenaFile = file.arenaFiles[choice.file];
    opened.entry = arenaFile.entry;
    opened.fileText = arenaFile.text;
    opened.reading = arenaFile.reading.blocks[std::size_t(choice.block)];
    opened.onlyBlock = arenaFile.reading.blocks.size() == 1;
    opened.fields.kept.comments = commentsIn(opened.fileText, opened.reading);
    return opened;
}

QByteArray withBlockReplaced(const OpenedArena& opened, const ArenaValues& values)
{
    return opened.fileText.left(opened.reading.begin) + editedBlock(opened.fileText, opened.reading, values)
           + opened.fileText.mid(opened.reading.end);
}

ArchiveTarget archiveTarget(const OpenedArena* opened, const ArenaValues& values)
{
    if (!opened)
        return {"scripts/" + values.map.toUtf8() + ".arena", arenaText(values), {}, false};
    ArchiveTarget target{opened->entry, withBlockReplaced(*opened, values), {}, true};
    // A backslash in an entry's name parts folders for the game, as '/' does.
    const qsizetype slash = std::max(opened->entry.lastIndexOf('/'), opened->entry.lastIndexOf('\\'));
    const qsizetype dot = opened->entry.lastIndexOf('.');
    const QByteArray base = opened->entry.mid(slash + 1, dot - slash - 1);
    const bool namedAfterItsMap = game::namesTheSameEntry(base, toWindows1252(opened->fields.map));
    if (opened->onlyBlock && namedAfterItsMap && values.map != opened->fields.map) {
        target.entry = opened->entry.left(slash + 1) + values.map.toUtf8() + opened->entry.mid(dot);
        target.replaced = opened->entry;
    }
    return target;
}

} // namespace editor
