// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/OpenedArena.h"

namespace editor {

OpenedArena openedArena(const QString& path, const gamecheck::FileToEdit& file, const ArenaChoice& choice)
{
    OpenedArena opened{path, file.archive, {}, choice.block, placeOf(file, choice), {}, 0, 0, false, choice.fields};
    if (choice.isNewArena())
        return opened;
    const gamecheck::ArenaFile& arenaFile = file.arenaFiles[choice.file];
    const game::InfoBlock& block = arenaFile.reading.blocks[std::size_t(choice.block)];
    opened.entry = arenaFile.entry;
    opened.fileText = arenaFile.text;
    opened.begin = block.begin;
    opened.end = block.end;
    opened.onlyBlock = arenaFile.reading.blocks.size() == 1;
    return opened;
}

QByteArray withBlockReplaced(const OpenedArena& opened, const ArenaValues& values)
{
    return opened.fileText.left(opened.begin) + arenaBlock(values) + opened.fileText.mid(opened.end);
}

ArchiveTarget archiveTarget(const OpenedArena* opened, const ArenaValues& values)
{
    if (!opened)
        return {"scripts/" + values.map.toUtf8() + ".arena", arenaText(values), {}, false};
    ArchiveTarget target{opened->entry, withBlockReplaced(*opened, values), {}, true};
    const qsizetype slash = opened->entry.lastIndexOf('/');
    const qsizetype dot = opened->entry.lastIndexOf('.');
    const QByteArray base = opened->entry.mid(slash + 1, dot - slash - 1);
    const bool namedAfterItsMap = base.compare(opened->fields.map.toUtf8(), Qt::CaseInsensitive) == 0;
    if (opened->onlyBlock && namedAfterItsMap && values.map != opened->fields.map) {
        target.entry = opened->entry.left(slash + 1) + values.map.toUtf8() + opened->entry.mid(dot);
        target.replaced = opened->entry;
    }
    return target;
}

} // namespace editor
