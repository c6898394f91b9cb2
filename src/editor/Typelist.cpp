// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/Typelist.h"

#include "editor/SpaceTrim.h"

namespace editor {

QString buildTypelist(std::span<const int> boxValues, const game::Game& game)
{
    QString typelist;
    for (std::size_t index = 0; index < boxValues.size() && index < game.types.size(); ++index) {
        if (boxValues[index] == 1)
            typelist = trimSpaces(typelist + QLatin1Char(' ') + QLatin1String(game.types[index].word));
    }
    return typelist;
}

} // namespace editor
