// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/MapEntities.h"

#include "game/InfoFile.h"
#include "game/Limits.h"

#include <algorithm>
#include <array>

namespace game {

namespace {

// The map version the game loads, and where its header says where the
// entities lie: the first of its lumps.
constexpr std::int32_t bspVersion = 46;
constexpr qsizetype headerBytes = 16;

// What the game module keeps of one entity: so many keys and values, in
// a buffer of so many bytes; past either it stops.
constexpr int mostPairs = 64;
constexpr int pairBuffer = 4096;

// The keys whose values the game module copies into its pool, in any case.
constexpr std::array<const char*, 9> keptKeys{"classname", "model",  "model2",           "target",
                                              "targetname", "message", "team", "targetShaderName",
                                              "targetShaderNewName"};

bool isKeptKey(const QByteArray& key)
{
    return std::any_of(keptKeys.begin(), keptKeys.end(),
                       [&](const char* kept) { return key.compare(kept, Qt::CaseInsensitive) == 0; });
}

std::int32_t littleEndian(const QByteArray& bytes, qsizetype at)
{
    return std::int32_t(std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8
                        | std::uint32_t(std::uint8_t(bytes[at + 2])) << 16
                        | std::uint32_t(std::uint8_t(bytes[at + 3])) << 24);
}

std::uint64_t roundedUp(std::uint64_t size)
{
    return (size + 31) & ~std::uint64_t(31);
}

} // namespace

std::optional<MapEntities::Place> MapEntities::placeIn(const QByteArray& start)
{
    if (start.size() < headerBytes || !start.startsWith("IBSP") || littleEndian(start, 4) != bspVersion)
        return std::nullopt;
    const std::int32_t offset = littleEndian(start, 8), length = littleEndian(start, 12);
    if (offset < 0 || length < 0)
        return std::nullopt;
    return Place{std::uint64_t(offset), std::uint64_t(length)};
}

std::uint64_t MapEntities::mostPoolBytes(std::uint64_t entityText)
{
    return 32 * (entityText / 6 + 1);
}

void MapEntities::add(const char* bytes, std::size_t count)
{
    for (std::size_t at = 0; at < count && !refused && !ended; ++at, ++position) {
        if (position < std::uint64_t(headerBytes)) {
            start += bytes[at];
            if (start.size() == headerBytes && !(place = placeIn(start)))
                refused = true;
        }
        if (place && position >= place->offset && position < place->offset + place->length)
            scanByte(bytes[at]);
        // The text ends where the entities do, as at a NUL.
        if (place && position + 1 >= place->offset + place->length && !ended)
            scanByte('\0');
    }
}

std::optional<std::uint64_t> MapEntities::poolBytes(bool sizeHeader) const
{
    if (refused || !ended)
        return std::nullopt;
    return sizeHeader ? roundedWithHeader : rounded;
}

void MapEntities::scanByte(char c)
{
    switch (scan) {
    case Scan::Space:
        if (c == '\0') {
            // No more tokens: the end, unless inside an entity or before any.
            refused = expect != Expect::OpenBrace || worldspawn;
            ended = true;
            scan = Scan::End;
        } else if (c == '/') {
            scan = Scan::Slash;
        } else if (c == '"') {
            scan = Scan::Quoted;
        } else if (!isGameWhiteSpace(c)) {
            scan = Scan::Word;
            text = QByteArray(1, c);
        }
        return;
    case Scan::Slash:
        // "//" and "/*" start comments; any other '/' starts a word.
        if (c == '/' || c == '*') {
            scan = c == '/' ? Scan::LineComment : Scan::BlockComment;
            return;
        }
        scan = Scan::Word;
        text = "/";
        scanByte(c);
        return;
    case Scan::LineComment:
    case Scan::BlockComment:
    case Scan::BlockStar:
        scanComment(c);
        return;
    case Scan::Quoted:
        // A NUL ends a quoted token as its closing quote does, and the
        // tokenizer goes on past it.
        if (c == '"' || c == '\0') {
            scan = Scan::Space;
            endToken();
        } else if (text.size() < tokenLimit) {
            text += c;
        }
        return;
    case Scan::Word:
        if (!isGameWhiteSpace(c)) {
            if (text.size() < tokenLimit)
                text += c;
            return;
        }
        scan = Scan::Space;
        endToken();
        scanByte(c);
        return;
    case Scan::End:
        return;
    }
}

// A comment ends at its line's end or at "*/"; the text, at a NUL.
void MapEntities::scanComment(char c)
{
    if (c == '\0') {
        scan = Scan::Space;
        scanByte(c);
    } else if (scan == Scan::LineComment) {
        scan = c == '\n' ? Scan::Space : Scan::LineComment;
    } else if (scan == Scan::BlockStar && c == '/') {
        scan = Scan::Space;
    } else {
        scan = c == '*' ? Scan::BlockStar : Scan::BlockComment;
    }
}

void MapEntities::endToken()
{
    take(text);
    text.clear();
}

// One token, as the game module's reading of spawn variables takes it; it
// stops the server at anything out of place.
void MapEntities::take(const QByteArray& token)
{
    const char first = token.isEmpty() ? '\0' : token[0];
    switch (expect) {
    case Expect::OpenBrace:
        refused = first != '{';
        expect = Expect::Key;
        pairs = 0;
        pairBytes = 0;
        return;
    case Expect::Key:
        if (first == '}') {
            worldspawn = false;
            expect = Expect::OpenBrace;
            return;
        }
        keepsValue = !worldspawn && isKeptKey(token);
        pairBytes += int(token.size()) + 1;
        expect = Expect::Value;
        return;
    case Expect::Value:
        pairBytes += int(token.size()) + 1;
        refused = first == '}' || pairs == mostPairs || pairBytes > pairBuffer;
        ++pairs;
        if (keepsValue) {
            rounded += roundedUp(std::uint64_t(token.size()) + 1);
            roundedWithHeader += roundedUp(std::uint64_t(token.size()) + 1 + 4);
        }
        expect = Expect::Key;
        return;
    }
}

} // namespace game
