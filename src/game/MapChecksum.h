// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>
#include <optional>

namespace game {

// The checksum the game takes of a map's whole .bsp file when it loads it,
// and that a bot navigation file (.aas) must carry to be accepted: MD4 of
// the bytes, its four words folded into one with XOR. Fed a piece at a time.
class MapChecksum {
public:
    void add(const char* bytes, std::size_t count);
    // The checksum of everything added so far.
    std::uint32_t value() const;

private:
    void block(const unsigned char* bytes);

    std::array<std::uint32_t, 4> state{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    std::array<unsigned char, 64> pending{};
    std::size_t pendingCount = 0;
    std::uint64_t total = 0;
};

// What the header of a bot navigation file says, as the bot library reads it.
struct AasHeader {
    enum class Problem { None, NotAas, WrongVersion, CutShort };
    Problem problem = Problem::None;
    std::int32_t version = 0;
    std::uint32_t mapChecksum = 0; // of the .bsp it was built for
};

// The header is this many bytes.
inline constexpr std::uint64_t aasHeaderSize = 124;

AasHeader readAasHeader(const QByteArray& start);

} // namespace game
