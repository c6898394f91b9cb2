// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/ZipDirectory.h"

#include "game/Limits.h"

#include <algorithm>
#include <cstring>

namespace game {

namespace {

constexpr std::uint64_t endRecordSize = 22;
// The game looks for its end record this far back from the end of the file.
constexpr std::uint64_t endRecordSearch = 0xFFFF;
// A zip library looks as far as the longest comment allows, and for the
// Zip64 locator before it.
constexpr std::uint64_t librarySearch = 0xFFFF + endRecordSize + 20;
constexpr std::uint64_t zip64LocatorSize = 20;
constexpr std::uint64_t recordSize = 46;
constexpr std::uint64_t localHeaderSize = 30;
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
    return at >= 0 && at + 4 <= bytes.size() && std::equal(signature, signature + 4, bytes.begin() + at);
}

// Where the end record's signature is, searched at memchr's pace: every
// archive's last 64 kB is searched, and Qt's own search is byte by byte.
constexpr char endSignature[] = "PK\5\6";

qsizetype lastEndSignature(const QByteArray& bytes)
{
    std::size_t searched = std::size_t(bytes.size());
    while (searched >= 4) {
        const void* found = ::memrchr(bytes.constData(), endSignature[0], searched - 3);
        if (!found)
            return -1;
        const qsizetype at = static_cast<const char*>(found) - bytes.constData();
        if (std::memcmp(bytes.constData() + at, endSignature, 4) == 0)
            return at;
        searched = std::size_t(at) + 3;
    }
    return -1;
}

qsizetype nextEndSignature(const QByteArray& bytes, qsizetype from)
{
    while (from + 4 <= bytes.size()) {
        const void* found = std::memchr(bytes.constData() + from, endSignature[0], std::size_t(bytes.size() - from - 3));
        if (!found)
            return -1;
        const qsizetype at = static_cast<const char*>(found) - bytes.constData();
        if (std::memcmp(bytes.constData() + at, endSignature, 4) == 0)
            return at;
        from = at + 1;
    }
    return -1;
}

// The file read forwards a window at a time: a directory's records are
// small and follow one another.
class ForwardReader {
public:
    explicit ForwardReader(const platform::RegularFile& file) : file(file) {}

    // Up to `count` bytes at `offset`; fewer at the end of the file.
    QByteArray bytes(std::uint64_t offset, std::uint64_t count)
    {
        if (offset < start || offset + count > start + std::uint64_t(window.size())) {
            start = offset;
            window = file.readAt(offset, std::max(count, windowSize)).value_or(QByteArray());
        }
        return window.mid(qsizetype(offset - start), qsizetype(count));
    }

private:
    static constexpr std::uint64_t windowSize = 64 * 1024;
    const platform::RegularFile& file;
    std::uint64_t start = 0;
    QByteArray window;
};

// Whether a zip library could take the end record at `at` of the tail, at
// `position` in the file: it speaks of one disk and states a directory that
// ends before it and starts with a record, which the end record of a small
// archive stored inside this one does not.
bool couldBeEndRecord(const platform::RegularFile& file, const QByteArray& tail, qsizetype at, std::uint64_t position)
{
    if (at + qsizetype(endRecordSize) > tail.size())
        return false;
    const std::uint32_t size = u32(tail, at + 12);
    const std::uint32_t offset = u32(tail, at + 16);
    if (u16(tail, at + 4) != 0 || u16(tail, at + 6) != 0 || u16(tail, at + 8) != u16(tail, at + 10)
        || std::uint64_t(offset) + size > position)
        return false;
    return size == 0 || hasSignature(file.readAt(offset, 4).value_or(QByteArray()), 0, "PK\1\2");
}

bool localHeaderAgrees(const QByteArray& local, const DirectoryRecord& record)
{
    if (local.size() < qsizetype(localHeaderSize) || !hasSignature(local, 0, "PK\3\4"))
        return false;
    if (u16(local, 8) != record.method || u16(local, 26) != record.nameLength)
        return false;
    if (u16(local, 6) & dataDescriptorFlag)
        return true;
    return u32(local, 14) == record.crc && u32(local, 18) == record.compressedSize && u32(local, 22) == record.size;
}

// The local header's own name and extra field lie between it and the data.
std::uint64_t dataStart(const QByteArray& local, const DirectoryRecord& record)
{
    const std::uint64_t extra = local.size() >= qsizetype(localHeaderSize) ? u16(local, 28) : 0;
    return record.localHeader + localHeaderSize + record.nameLength + extra;
}

// The game reads as many records as the end record counts, from where the
// directory must start to end at the end record, and stops at the first it
// cannot read; then each record's local header.
void readRecords(const platform::RegularFile& file, std::uint64_t at, std::uint16_t entryCount, ZipDirectory& directory)
{
    ForwardReader reader(file);
    directory.records.reserve(entryCount);
    for (int index = 0; index < entryCount; ++index) {
        const QByteArray header = reader.bytes(at, recordSize);
        if (header.size() < qsizetype(recordSize) || !hasSignature(header, 0, "PK\1\2"))
            break;
        DirectoryRecord record;
        record.nameLength = u16(header, 28);
        const qsizetype kept = std::min<qsizetype>(record.nameLength, entryNameSize);
        record.name = reader.bytes(at + recordSize, std::uint64_t(kept));
        if (record.name.size() < kept)
            break;
        if (const qsizetype nul = record.name.indexOf('\0'); nul >= 0)
            record.name.truncate(nul);
        record.flags = u16(header, 8);
        record.method = u16(header, 10);
        record.crc = u32(header, 16);
        record.compressedSize = u32(header, 20);
        record.size = u32(header, 24);
        record.localHeader = u32(header, 42) + directory.bytesBefore;
        at += recordSize + record.nameLength + u16(header, 30) + u16(header, 32);
        directory.records.push_back(std::move(record));
    }
    // Small entries' local headers lie close together, in the directory's
    // order: one window of the file serves many.
    ForwardReader locals(file);
    for (DirectoryRecord& record : directory.records) {
        const QByteArray local = locals.bytes(record.localHeader, localHeaderSize);
        record.localHeaderAgrees = localHeaderAgrees(local, record);
        record.dataStart = dataStart(local, record);
    }
}

} // namespace

ZipDirectory readZipDirectory(const platform::RegularFile& file)
{
    ZipDirectory directory;
    directory.refusal = Refusal::NoEndRecord;
    const std::uint64_t size = file.size();
    const std::uint64_t tailStart = size - std::min(size, librarySearch);
    const QByteArray tail = file.readAt(tailStart, size - tailStart).value_or(QByteArray());
    // The last signature within reach, unless at the very start of the file,
    // which the game takes for none.
    const qsizetype lowest = qsizetype(size - std::min(size, endRecordSearch) - tailStart);
    const qsizetype end = lastEndSignature(tail);
    if (end < lowest || tailStart + std::uint64_t(end) == 0 || end + qsizetype(endRecordSize) > tail.size())
        return directory;
    const std::uint64_t endRecord = tailStart + std::uint64_t(end);
    for (qsizetype other = nextEndSignature(tail, 0); other >= 0 && other < tail.size() - 4;
         other = nextEndSignature(tail, other + 1)) {
        if (other != end && couldBeEndRecord(file, tail, other, tailStart + std::uint64_t(other)))
            directory.otherEndRecord = true;
    }
    const std::uint16_t entryCount = u16(tail, end + 10);
    const std::uint32_t directorySize = u32(tail, end + 12);
    const std::uint32_t directoryOffset = u32(tail, end + 16);
    directory.entryCount = u16(tail, end + 8);
    directory.zip64Records = hasSignature(tail, end - qsizetype(zip64LocatorSize), "PK\6\7");
    if (u16(tail, end + 4) != 0 || u16(tail, end + 6) != 0) {
        directory.refusal = Refusal::SeveralDisks;
        return directory;
    }
    if (entryCount != directory.entryCount) {
        directory.refusal = Refusal::CountsDiffer;
        return directory;
    }
    if (endRecord < std::uint64_t(directoryOffset) + directorySize) {
        directory.refusal = Refusal::DirectoryPastEnd;
        return directory;
    }
    directory.refusal = Refusal::None;
    directory.bytesBefore = endRecord - (std::uint64_t(directoryOffset) + directorySize);

    readRecords(file, endRecord - directorySize, entryCount, directory);
    return directory;
}

} // namespace game
