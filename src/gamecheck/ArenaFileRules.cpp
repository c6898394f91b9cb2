// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/ArenaFileRules.h"

#include "game/InfoFile.h"
#include "game/InfoString.h"
#include "game/Limits.h"
#include "gamecheck/FieldRules.h"

#include <QLocale>

namespace gamecheck {

using game::InfoBlock;
using game::KeyValue;
using game::Token;
using game::InfoReading;
using game::readInfoFile;
using game::findKey;
using game::refusedCharacter;
using game::arenaFileLimit;

namespace {

QString excerpt(const QByteArray& text)
{
    const QString shown = QString::fromLatin1(text.left(24)).simplified();
    return text.size() > 24 ? shown + QStringLiteral("...") : shown;
}

// Where the first stray double quote is, as the key whose value it cuts
// short. A value may run over several lines; the game takes that as it
// is. But once a word holds a '"' or a quote runs to the end of the file,
// the game is out of step with the author's quotes, and the quote that
// first ran over a line, if any, is the one at fault.
struct StrayQuote {
    std::size_t block = 0;
    QByteArray key;
    bool unclosed = false;
};

// The key a stray quote in `token`, read as the key or value of pair `p`,
// belongs to: a token that comes as a key belongs to the value before it
// on the same line.
StrayQuote strayQuoteAt(std::size_t block, const std::vector<KeyValue>& pairs, std::size_t p, bool inKey)
{
    const Token& token = inKey ? pairs[p].key : pairs[p].value;
    if (!inKey)
        return {block, pairs[p].key.text, token.quoted && (token.spansLines || token.unclosed)};
    if (p > 0 && pairs[p - 1].key.line == token.line)
        return {block, pairs[p - 1].key.text, false};
    return {block, {}, token.quoted};
}

std::optional<StrayQuote> firstStrayQuote(const InfoReading& reading)
{
    std::optional<StrayQuote> firstOverLines;
    for (std::size_t b = 0; b < reading.blocks.size(); ++b) {
        const std::vector<KeyValue>& pairs = reading.blocks[b].pairs;
        for (std::size_t p = 0; p < pairs.size(); ++p) {
            for (const bool inKey : {true, false}) {
                const Token& token = inKey ? pairs[p].key : pairs[p].value;
                if (token.spansLines && !firstOverLines)
                    firstOverLines = strayQuoteAt(b, pairs, p, inKey);
                if (token.quoteInWord || token.runsIntoNext || token.unclosed)
                    return firstOverLines ? firstOverLines : strayQuoteAt(b, pairs, p, inKey);
            }
        }
    }
    return std::nullopt;
}

void reportStrayQuote(const StrayQuote& stray, const Place& place, Findings& findings)
{
    const QString what = stray.key.isEmpty() ? QStringLiteral("A key") : keyPhrase(stray.key);
    const QString fault = stray.unclosed ? QStringLiteral("has no closing '\"'") : QStringLiteral("holds '\"'");
    place.inArena(int(stray.block)).add(findings, Severity::Error, stray.key,
              QStringLiteral("%1 %2. A '\"' ends a value for the game, so it misreads the rest of the file and "
                             "this arena is broken.")
                  .arg(what, fault));
}

bool isEmptyKey(const Token& token)
{
    return token.quoted && !token.unclosed && token.text.isEmpty();
}

void reportBlockEnds(const InfoReading& reading, std::size_t checkedBlocks, const Place& place, Findings& findings)
{
    for (std::size_t b = 0; b < checkedBlocks; ++b) {
        const InfoBlock& block = reading.blocks[b];
        const Place arena = place.inArena(int(b));
        for (const int line : block.mergedAt) {
            arena.add(findings, Severity::Error, {},
                      QStringLiteral("A '}' is missing before line %1. The game merges the two arenas into one, so the "
                                     "first of them is lost.")
                          .arg(line));
        }
        if (!block.cutShortBy)
            continue;
        if (isEmptyKey(*block.cutShortBy)) {
            arena.add(findings, Severity::Error, {},
                      QStringLiteral("Line %1 holds an empty key \"\". The game takes it for the end of the file: it "
                                     "complains of an unexpected end, ends the arena there, and reads on from the "
                                     "next word as if it started another arena.")
                          .arg(block.cutShortBy->line));
        } else if (b + 1 == reading.blocks.size()) {
            arena.add(findings, Severity::Error, {},
                      QStringLiteral("The file ends before the last arena's closing '}'. The game complains of an "
                                     "unexpected end and takes that arena only as far as the file goes."));
        }
    }
}

void reportSyntax(const InfoReading& reading, std::size_t checkedBlocks, const Place& place, Findings& findings)
{
    if (reading.blocks.empty() && !reading.missingOpenBrace && !reading.emptyWhereBrace) {
        place.add(findings, Severity::Error, {},
                  QStringLiteral("The file holds no arena, so the game lists nothing from it."));
    }
    if (reading.missingOpenBrace) {
        place.add(findings, Severity::Error, {},
                  QStringLiteral("Line %1 holds \"%2\" where a '{' should start an arena. The game stops reading the "
                                 "file there, so no arena from that point on shows.")
                      .arg(reading.missingOpenBrace->line)
                      .arg(excerpt(reading.missingOpenBrace->text)));
    }
    if (reading.emptyWhereBrace) {
        place.add(findings, Severity::Error, {},
                  QStringLiteral("Line %1 holds an empty \"\" where a '{' should start an arena. The game takes it "
                                 "for the end of the file and stops there without a word, so no arena from that "
                                 "point on shows.")
                      .arg(reading.emptyWhereBrace->line));
    }
    reportBlockEnds(reading, checkedBlocks, place, findings);
}

// A NUL byte inside quotes ends the value for the game, where the author
// may well have meant more.
void reportNulBytes(const InfoBlock& block, const Place& place, Findings& findings)
{
    for (const KeyValue& pair : block.pairs) {
        if (pair.key.endsAtNul || pair.value.endsAtNul) {
            place.add(findings, Severity::Advice, pair.key.text,
                      QStringLiteral("%1 ends at a NUL byte, which the game takes for the closing '\"': it keeps "
                                     "\"%2\" and reads on after the NUL.")
                          .arg(pair.key.endsAtNul ? QStringLiteral("A key") : keyPhrase(pair.key.text),
                               QString::fromLatin1(pair.key.endsAtNul ? pair.key.text : pair.value.text)));
        }
    }
}

} // namespace

void reportArenaFileTooLarge(std::uint64_t size, const Place& place, Findings& findings)
{
    place.add(findings, Severity::Error, {},
              QStringLiteral("The file is %1 bytes. The game skips an arena file of %2 bytes or more whole, so none "
                             "of its arenas would show.")
                  .arg(QLocale(QLocale::English).toString(qulonglong(size)),
                       QLocale(QLocale::English).toString(qulonglong(arenaFileLimit))));
}

std::vector<ListedMap> checkArenaFile(const QByteArray& text, const KnownBots& bots, const Place& place,
                                      Findings& findings)
{
    if (std::uint64_t(text.size()) >= arenaFileLimit) {
        reportArenaFileTooLarge(std::uint64_t(text.size()), place, findings);
        return {};
    }
    const InfoReading reading = readInfoFile(text);
    // After a stray quote the game reads the rest of the file out of step:
    // what it then finds says nothing about what the author wrote.
    const std::optional<StrayQuote> stray = firstStrayQuote(reading);
    const std::size_t checkedBlocks = stray ? stray->block : reading.blocks.size();
    reportSyntax(reading, checkedBlocks, place, findings);
    if (stray)
        reportStrayQuote(*stray, place, findings);
    std::vector<ListedMap> maps;
    for (std::size_t b = 0; b < checkedBlocks; ++b) {
        const InfoBlock& arena = reading.blocks[b];
        reportNulBytes(arena, place.inArena(int(b)), findings);
        checkFields(arena, bots, place.inArena(int(b)), findings);
        if (const KeyValue* map = findKey(arena, "map"); map && !map->valueWasEmpty && !refusedCharacter(*map))
            maps.push_back({map->value.text, int(b)});
    }
    return maps;
}

QByteArrayList mapsOf(const std::vector<ListedMap>& listed)
{
    QByteArrayList maps;
    for (const ListedMap& one : listed)
        maps << one.map;
    return maps;
}

} // namespace gamecheck
