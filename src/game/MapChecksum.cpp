// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/MapChecksum.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace game {

namespace {

std::uint32_t rotate(std::uint32_t value, int by)
{
    return value << by | value >> (32 - by);
}

std::uint32_t littleEndian(const unsigned char* bytes)
{
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16
        | std::uint32_t(bytes[3]) << 24;
}

void putLittleEndian(unsigned char* into, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        into[i] = static_cast<unsigned char>(value >> (8 * i));
}

} // namespace

namespace {

// The three rounds of MD4, each step written out so that the compiler
// keeps every word in a register.
inline std::uint32_t roundF(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x, int s)
{
    return rotate(a + ((b & c) | (~b & d)) + x, s);
}

inline std::uint32_t roundG(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x, int s)
{
    return rotate(a + ((b & c) | (b & d) | (c & d)) + x + 0x5a827999, s);
}

inline std::uint32_t roundH(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x, int s)
{
    return rotate(a + (b ^ c ^ d) + x + 0x6ed9eba1, s);
}

} // namespace

void MapChecksum::block(const unsigned char* bytes)
{
    std::uint32_t x[16];
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(x, bytes, sizeof x);
    } else {
        for (int i = 0; i < 16; ++i)
            x[i] = littleEndian(bytes + 4 * i);
    }
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (int i = 0; i < 16; i += 4) {
        a = roundF(a, b, c, d, x[i], 3);
        d = roundF(d, a, b, c, x[i + 1], 7);
        c = roundF(c, d, a, b, x[i + 2], 11);
        b = roundF(b, c, d, a, x[i + 3], 19);
    }
    for (int i = 0; i < 4; ++i) {
        a = roundG(a, b, c, d, x[i], 3);
        d = roundG(d, a, b, c, x[i + 4], 5);
        c = roundG(c, d, a, b, x[i + 8], 9);
        b = roundG(b, c, d, a, x[i + 12], 13);
    }
    for (const int i : {0, 2, 1, 3}) {
        a = roundH(a, b, c, d, x[i], 3);
        d = roundH(d, a, b, c, x[i + 8], 9);
        c = roundH(c, d, a, b, x[i + 4], 11);
        b = roundH(b, c, d, a, x[i + 12], 15);
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

void MapChecksum::add(const char* bytes, std::size_t count)
{
    const auto* in = reinterpret_cast<const unsigned char*>(bytes);
    total += count;
    if (pendingCount > 0) {
        const std::size_t taken = std::min(count, pending.size() - pendingCount);
        std::memcpy(pending.data() + pendingCount, in, taken);
        pendingCount += taken;
        in += taken;
        count -= taken;
        if (pendingCount < pending.size())
            return;
        block(pending.data());
        pendingCount = 0;
    }
    for (; count >= 64; in += 64, count -= 64)
        block(in);
    std::memcpy(pending.data(), in, count);
    pendingCount = count;
}

std::uint32_t MapChecksum::value() const
{
    MapChecksum finished = *this;
    // The game's MD4 keeps the length in bits in 32 bits only, so a file of
    // 512 MiB or more gets a checksum other than standard MD4's; and an
    // empty input gets the padding block twice.
    const std::uint32_t bits = std::uint32_t(total * 8);
    unsigned char tail[128] = {};
    std::memcpy(tail, pending.data(), pendingCount);
    tail[pendingCount] = 0x80;
    const std::size_t blocks = pendingCount <= 55 ? 1 : 2;
    putLittleEndian(tail + 64 * blocks - 8, bits);
    for (int times = total == 0 ? 2 : 1; times > 0; --times) {
        for (std::size_t i = 0; i < blocks; ++i)
            finished.block(tail + 64 * i);
    }
    return finished.state[0] ^ finished.state[1] ^ finished.state[2] ^ finished.state[3];
}

AasHeader readAasHeader(const QByteArray& start)
{
    AasHeader header;
    const auto* bytes = reinterpret_cast<const unsigned char*>(start.constData());
    if (start.size() < 8 || start.left(4) != "EAAS") {
        header.problem = start.size() < 4 ? AasHeader::Problem::CutShort : AasHeader::Problem::NotAas;
        return header;
    }
    header.version = std::int32_t(littleEndian(bytes + 4));
    if (header.version != 4 && header.version != 5) {
        header.problem = AasHeader::Problem::WrongVersion;
        return header;
    }
    // The bot library reads the whole header, but needs only this much of it.
    if (start.size() < 12) {
        header.problem = AasHeader::Problem::CutShort;
        return header;
    }
    unsigned char checksum[4];
    std::memcpy(checksum, bytes + 8, 4);
    // Version 5 hides the header past its first 8 bytes under an XOR with
    // the byte's position (from byte 8) times 119.
    if (header.version == 5) {
        for (int i = 0; i < 4; ++i)
            checksum[i] ^= static_cast<unsigned char>(i * 119);
    }
    header.mapChecksum = littleEndian(checksum);
    return header;
}

} // namespace game
