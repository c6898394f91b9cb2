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

} // namespace editor
