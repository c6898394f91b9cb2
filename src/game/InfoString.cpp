// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/InfoString.h"

#include "game/Limits.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace game {

char refusedCharacter(const KeyValue& pair)
{
    for (const char c : {'\\', ';', '"'}) {
        if (pair.key.text.contains(c) || pair.value.text.contains(c))
            return c;
    }
    return '\0';
}

namespace {

// The pairs the game keeps of a block, in the order it set them.
struct KeptPairs {
    std::vector<const KeyValue*> pairs;
    InfoStringFit fit;
};

KeptPairs keepPairs(const InfoBlock& block, GameCode code)
{
    const qsizetype longest = longestInfoString(code);
    // A key set again replaces its earlier value; the game writes each pair
    // into a buffer of the same size first, so a longer one is cut short.
    struct Kept {
        const KeyValue* pair;
        qsizetype length;
    };
    std::vector<Kept> kept;
    KeptPairs result;
    qsizetype held = 0;
    for (const KeyValue& pair : block.pairs) {
        if (refusedCharacter(pair))
            continue;
        for (auto earlier = kept.begin(); earlier != kept.end(); ++earlier) {
            if (earlier->pair->key.text == pair.key.text) {
                held -= earlier->length;
                kept.erase(earlier);
                break;
            }
        }
        const qsizetype length = std::min(2 + pair.key.text.size() + pair.value.text.size(), infoStringSize - 1);
        result.fit.length += length;
        if (held + length > longest) {
            result.fit.pairsLost = true;
            continue;
        }
        kept.push_back({&pair, length});
        held += length;
        result.fit.overflows = result.fit.overflows || held >= infoStringSize;
    }
    // `\num\` and the digits, within ioquake3's longest string.
    constexpr qsizetype numberStart = 5;
    result.fit.numberDigits = int(std::clamp<qsizetype>(longestInfoString(GameCode::Ioquake3Native) - numberStart - held, 0, 4));
    result.fit.held = held;
    for (const Kept& pair : kept)
        result.pairs.push_back(pair.pair);
    return result;
}

} // namespace

InfoStringFit fitInfoString(const InfoBlock& block, GameCode code)
{
    return keepPairs(block, code).fit;
}

std::optional<QByteArray> infoValue(const InfoBlock& block, const char* key)
{
    const KeptPairs kept = keepPairs(block, GameCode::Ioquake3Native);
    for (auto pair = kept.pairs.rbegin(); pair != kept.pairs.rend(); ++pair) {
        if ((*pair)->key.text.compare(key, Qt::CaseInsensitive) == 0)
            return (*pair)->value.text;
    }
    return std::nullopt;
}

} // namespace game
