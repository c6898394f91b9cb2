// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ArenaFields.h"

#include "editor/Windows1252.h"
#include "game/InfoString.h"
#include "gamecheck/ShownName.h"

#include <QRegularExpression>

namespace editor {

namespace {

constexpr const char* windowKeys[] = {"map", "bots", "longname", "fraglimit", "type"};

// The bot selection window picks at most this many.
constexpr qsizetype mostBots = 16;

bool isWindowKey(const QByteArray& key)
{
    return std::any_of(std::begin(windowKeys), std::end(windowKeys),
                       [&](const char* known) { return key.compare(known, Qt::CaseInsensitive) == 0; });
}

// A list the bot selection window could have written: bots of its
// catalogue, split at spaces as the game splits them, no more than it picks.
bool pickerCouldMake(const QByteArray& list, const QStringList& catalogue)
{
    const QByteArrayList names = list.split(' ');
    qsizetype count = 0;
    for (const QByteArray& name : names) {
        if (name.isEmpty())
            continue;
        if (++count > mostBots)
            return false;
        if (!catalogue.contains(fromWindows1252(name), Qt::CaseInsensitive))
            return false;
    }
    return true;
}

// What the frag limit box takes as typed: three characters, digits or '.'.
bool boxTakes(const QByteArray& fraglimit)
{
    static const QRegularExpression typed(QStringLiteral("^[0-9.]{0,3}$"));
    return typed.match(QString::fromLatin1(fraglimit)).hasMatch();
}

} // namespace

const game::KeyValue* keptPair(const game::InfoBlock& block, const char* key)
{
    for (auto pair = block.pairs.rbegin(); pair != block.pairs.rend(); ++pair) {
        if (pair->key.text.compare(key, Qt::CaseInsensitive) == 0 && !game::refusedCharacter(*pair))
            return &*pair;
    }
    return nullptr;
}

ArenaFields arenaFields(const game::InfoBlock& block, const GameOffer& offer)
{
    const game::Game& game = *offer.game;
    ArenaFields fields;
    fields.types.assign(game.types.size(), false);
    const auto value = [&](const char* key) -> std::optional<QByteArray> {
        const game::KeyValue* pair = keptPair(block, key);
        if (!pair) {
            fields.absentKeys << QString::fromLatin1(key);
            return std::nullopt;
        }
        return pair->valueWasEmpty ? QByteArray() : pair->value.text;
    };
    fields.map = fromWindows1252(value("map").value_or(QByteArray()));
    fields.longname = fromWindows1252(value("longname").value_or(QByteArray()));
    if (const std::optional<QByteArray> bots = value("bots"); bots && !pickerCouldMake(*bots, offer.bots))
        fields.kept.bots = fromWindows1252(*bots);
    else
        fields.bots = fromWindows1252(bots.value_or(QByteArray()));
    if (const std::optional<QByteArray> fraglimit = value("fraglimit"); fraglimit && !boxTakes(*fraglimit))
        fields.kept.fraglimit = fromWindows1252(*fraglimit);
    else
        fields.fraglimit = fromWindows1252(fraglimit.value_or(QByteArray()));
    const QByteArray type = value("type").value_or(QByteArray());
    fields.type = fromWindows1252(type);
    for (const QByteArray& word : game::wordsOf(type)) {
        if (const game::GameType* known = game.typeOf(word))
            fields.types[std::size_t(known - game.types.data())] = true;
        else
            fields.kept.typeWords << fromWindows1252(word);
    }
    for (const game::KeyValue& pair : block.pairs) {
        if (!isWindowKey(pair.key.text))
            fields.kept.keys.emplace_back(fromWindows1252(pair.key.text),
                                          fromWindows1252(pair.valueWasEmpty ? QByteArray() : pair.value.text));
    }
    return fields;
}

QString keptLine(const KeptValues& kept)
{
    QStringList parts;
    if (kept.fraglimit)
        parts << QStringLiteral("fraglimit ") + gamecheck::withoutControls(*kept.fraglimit);
    if (kept.bots)
        parts << QStringLiteral("bots ") + gamecheck::withoutControls(*kept.bots);
    if (!kept.typeWords.isEmpty())
        parts << (kept.typeWords.size() == 1 ? QStringLiteral("type word ") : QStringLiteral("type words "))
                     + gamecheck::withoutControls(kept.typeWords.join(QLatin1Char(' ')));
    for (const auto& [key, value] : kept.keys)
        parts << gamecheck::withoutControls(key) + QLatin1Char(' ') + (value.isEmpty() ? QStringLiteral("\"\"") : gamecheck::withoutControls(value));
    if (kept.comments > 0)
        parts << (kept.comments == 1 ? QStringLiteral("1 comment") : QStringLiteral("%1 comments").arg(kept.comments));
    return parts.isEmpty() ? QString() : QStringLiteral("Kept as it is: ") + parts.join(QStringLiteral(", "));
}

} // namespace editor
