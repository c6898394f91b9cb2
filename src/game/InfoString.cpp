// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/InfoString.h"

#include "game/Limits.h"

#include <vector>

namespace game {

namespace {

// After reading a block the loaders add `\num\` and the arena's number
// among all arenas, up to four digits.
constexpr qsizetype roomForArenaNumber = 9;

} // namespace

char refusedCharacter(const KeyValue& pair)
{
    for (const char c : {'\\', ';', '"'}) {
        if (pair.key.text.contains(c) || pair.value.text.contains(c))
            return c;
    }
    return '\0';
}

InfoStringFit fitInfoString(const InfoBlock& block)
{
    // A key set again replaces its earlier value; the game writes each pair
    // into a buffer of the same size first, so a longer one is cut short.
    struct Kept {
        QByteArray key;
        qsizetype length;
    };
    std::vector<Kept> kept;
    qsizetype held = 0;
    InfoStringFit fit;
    for (const KeyValue& pair : block.pairs) {
        if (refusedCharacter(pair))
            continue;
        for (auto earlier = kept.begin(); earlier != kept.end(); ++earlier) {
            if (earlier->key == pair.key.text) {
                held -= earlier->length;
                kept.erase(earlier);
                break;
            }
        }
        const qsizetype length = std::min(2 + pair.key.text.size() + pair.value.text.size(), infoStringSize - 1);
        fit.length += length;
        if (held + length >= infoStringSize) {
            fit.keysLost = true;
            continue;
        }
        kept.push_back({pair.key.text, length});
        held += length;
    }
    if (held + roomForArenaNumber >= infoStringSize)
        fit.keysLost = true;
    return fit;
}

} // namespace game
