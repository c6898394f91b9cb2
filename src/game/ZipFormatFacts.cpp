// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/ZipFormatFacts.h"

#include <QFile>

#include <cstdint>

namespace game {

namespace {

constexpr qsizetype endRecordSize = 22;
constexpr qsizetype longestComment = 0xFFFF;
constexpr qsizetype zip64LocatorSize = 20;
constexpr qsizetype centralHeaderSize = 46;
constexpr qsizetype localHeaderSize = 30;
constexpr std::uint16_t encryptedFlag = 0x0001;
constexpr std::uint16_t dataDescriptorFlag = 0x0008; // CRC and sizes follow the data, not in the local header

std::uint16_t u16(const QByteArray& bytes, qsizetype at)
{
    return std::uint16_t(std::uint8_t(bytes[at]) | std::uint8_t(bytes[at + 1]) << 8);
}

std::uint32_t u32(const QByteArray& bytes, qsizetype at)
{
    return std::uint32_t(u16(bytes, at)) | std::uint32_t(u16(bytes, at + 2)) << 16;
}

bool hasSignature(const QByteArray& bytes, qsizetype at, const char* signature)
{
    return at >= 0 && at + 4 <= bytes.size() && bytes.mid(at, 4) == QByteArray(signature, 4);
}

QByteArray readAt(QFile& file, qint64 offset, qint64 length)
{
    return offset >= 0 && file.seek(offset) ? file.read(length) : QByteArray();
}

// Whether the local header at `offset` says what the central directory
// entry `central` (starting at `at`) says.
bool localHeaderAgrees(QFile& file, qint64 offset, const QByteArray& central, qsizetype at)
{
    const std::uint16_t nameLength = u16(central, at + 28);
    const QByteArray local = readAt(file, offset, localHeaderSize + nameLength);
    if (local.size() != localHeaderSize + nameLength || !hasSignature(local, 0, "PK\3\4"))
        return false;
    const std::uint16_t flags = u16(central, at + 8);
    if ((u16(local, 6) & encryptedFlag) != (flags & encryptedFlag) || u16(local, 8) != u16(central, at + 10)
        || u16(local, 26) != nameLength || local.mid(localHeaderSize) != central.mid(at + centralHeaderSize, nameLength))
        return false;
    if (flags & dataDescriptorFlag)
        return true;
    return u32(local, 14) == u32(central, at + 16) && u32(local, 18) == u32(central, at + 20)
        && u32(local, 22) == u32(central, at + 24);
}

} // namespace

ZipFormatFacts readZipFormatFacts(const QString& archivePath)
{
    ZipFormatFacts facts;
    QFile file(archivePath);
    // Unbuffered: each local header is a few bytes somewhere in a large file.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return facts;
    const qint64 size = file.size();
    const qint64 tailStart = std::max<qint64>(0, size - endRecordSize - longestComment);
    const QByteArray tail = readAt(file, tailStart, size - tailStart);
    qsizetype end = tail.size() - endRecordSize;
    while (end >= 0 && !hasSignature(tail, end, "PK\5\6"))
        --end;
    if (end < 0)
        return facts;
    const std::uint16_t entryCount = u16(tail, end + 10);
    const std::uint32_t directorySize = u32(tail, end + 12);
    const std::uint32_t directoryOffset = u32(tail, end + 16);
    facts.zip64 = hasSignature(tail, end - zip64LocatorSize, "PK\6\7") || entryCount == 0xFFFF
        || directorySize == 0xFFFFFFFF || directoryOffset == 0xFFFFFFFF;
    if (facts.zip64)
        return facts;
    // Bytes in front of the archive, as a self-extractor has, shift every offset.
    const qint64 shift = tailStart + end - qint64(directoryOffset) - qint64(directorySize);
    const QByteArray directory = readAt(file, qint64(directoryOffset) + shift, directorySize);
    qsizetype at = 0;
    for (int index = 0; index < entryCount && hasSignature(directory, at, "PK\1\2"); ++index) {
        if (at + centralHeaderSize > directory.size())
            break;
        const std::uint16_t nameLength = u16(directory, at + 28);
        const std::uint16_t extraLength = u16(directory, at + 30);
        const std::uint16_t commentLength = u16(directory, at + 32);
        // A size or offset too large for its field is in a Zip64 record instead.
        if (u32(directory, at + 20) == 0xFFFFFFFF || u32(directory, at + 24) == 0xFFFFFFFF
            || u32(directory, at + 42) == 0xFFFFFFFF) {
            facts.zip64 = true;
            return facts;
        }
        if (!localHeaderAgrees(file, qint64(u32(directory, at + 42)) + shift, directory, at))
            facts.disagreeing << directory.mid(at + centralHeaderSize, nameLength);
        at += centralHeaderSize + nameLength + extraLength + commentLength;
    }
    return facts;
}

} // namespace game
