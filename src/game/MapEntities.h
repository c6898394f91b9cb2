// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace game {

// The memory the game module takes for a map's entities when the server
// starts it, before any bot or arena: a copy of each value of a key it
// keeps as text (classname, target, message...) in every entity but the
// first, the worldspawn. Fed the .bsp a piece at a time, it reads the
// entities as the engine's tokenizer cuts them, in constant memory.
class MapEntities {
public:
    void add(const char* bytes, std::size_t count);

    // The pool bytes the copies take, each rounded up to 32, with four
    // bytes more before each where the allocator keeps its size; nothing
    // when the map cannot start: no map of the version the game loads, or
    // entities the game module stops on.
    std::optional<std::uint64_t> poolBytes(bool sizeHeader) const;

    // Where the entities lie in the file, by its first 16 bytes; nothing
    // for a file that is no map of the version the game loads.
    struct Place {
        std::uint64_t offset = 0;
        std::uint64_t length = 0;
    };
    static std::optional<Place> placeIn(const QByteArray& start);
    // At most the pool bytes entities of this many bytes of text can take:
    // a key kept as text and its value are 6 bytes at least ("team a").
    static std::uint64_t mostPoolBytes(std::uint64_t entityText);

private:
    void scanByte(char c);
    void scanComment(char c);
    void endToken();
    void take(const QByteArray& token);

    enum class Scan { Space, Slash, LineComment, BlockComment, BlockStar, Quoted, Word, End };
    enum class Expect { OpenBrace, Key, Value };

    QByteArray start; // the file's first 16 bytes, until all are in
    std::optional<Place> place;
    std::uint64_t position = 0;
    Scan scan = Scan::Space;
    QByteArray text; // the token being cut, at most 1,023 bytes
    Expect expect = Expect::OpenBrace;
    bool keepsValue = false; // the key just read is one the game keeps as text
    int pairs = 0;           // of the entity being read
    int pairBytes = 0;       // the bytes its keys and values take in the game module's buffer
    bool worldspawn = true;  // the first entity, whose values are not kept
    bool ended = false;      // the entities are read to their end
    bool refused = false;
    std::uint64_t rounded = 0;
    std::uint64_t roundedWithHeader = 0;
};

} // namespace game
