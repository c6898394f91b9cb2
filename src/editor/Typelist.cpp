// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/Typelist.h"

#include "editor/SpaceTrim.h"

namespace editor {

QString buildTypelist(const std::array<int, 5>& boxValues)
{
    QString typelist;
    for (std::size_t index = 0; index < boxValues.size(); ++index) {
        if (boxValues[index] == 1)
            typelist = trimSpaces(typelist + QLatin1Char(' ') + QLatin1String(gameTypeTags[index]));
    }
    return typelist;
}

} // namespace editor
