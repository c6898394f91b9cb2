#include "editor/ZipEntries.h"

#include <QFile>

#include <algorithm>
#include <cstdint>

namespace editor {

namespace {

constexpr std::uint32_t endOfDirectorySignature = 0x06054b50;
constexpr std::uint32_t zip64EndOfDirectorySignature = 0x06064b50;
constexpr std::uint32_t zip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t directoryEntrySignature = 0x02014b50;
constexpr qint64 endOfDirectorySize = 22;
constexpr qint64 longestComment = 0xffff;
constexpr qint64 directoryEntrySize = 46;
// Far beyond any real pk3's directory; a corrupt size must not exhaust memory.
constexpr qint64 largestDirectory = qint64(1) << 30;

std::uint64_t little(const QByteArray& bytes, qint64 at, int size)
{
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

QByteArray readAt(QFile& file, qint64 offset, qint64 size)
{
    if (offset < 0 || size < 0 || size > largestDirectory || !file.seek(offset))
        return {};
    return file.read(size);
}

struct Directory {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

std::optional<Directory> findDirectory(QFile& file)
{
    const qint64 tailSize = std::min(file.size(), endOfDirectorySize + longestComment);
    const qint64 tailStart = file.size() - tailSize;
    const QByteArray tail = readAt(file, tailStart, tailSize);
    for (qint64 at = tail.size() - endOfDirectorySize; at >= 0; --at) {
        if (little(tail, at, 4) != endOfDirectorySignature)
            continue;
        Directory directory{little(tail, at + 16, 4), little(tail, at + 12, 4)};
        if (directory.offset != 0xffffffff && directory.size != 0xffffffff)
            return directory;
        // A zip64 archive keeps the real numbers in a record the locator
        // just before this one points to.
        const QByteArray locator = readAt(file, tailStart + at - 20, 20);
        if (locator.size() != 20 || little(locator, 0, 4) != zip64LocatorSignature)
            return std::nullopt;
        const QByteArray record = readAt(file, qint64(little(locator, 8, 8)), 56);
        if (record.size() != 56 || little(record, 0, 4) != zip64EndOfDirectorySignature)
            return std::nullopt;
        return Directory{little(record, 48, 8), little(record, 40, 8)};
    }
    return std::nullopt;
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

std::optional<QByteArrayList> zipEntryNames(const QString& archivePath)
{
    QFile file(archivePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const std::optional<Directory> directory = findDirectory(file);
    if (!directory)
        return std::nullopt;
    const QByteArray entries = readAt(file, qint64(directory->offset), qint64(directory->size));
    if (std::uint64_t(entries.size()) != directory->size)
        return std::nullopt;

    QByteArrayList names;
    qint64 at = 0;
    while (at + directoryEntrySize <= entries.size() && little(entries, at, 4) == directoryEntrySignature) {
        const qint64 nameSize = qint64(little(entries, at + 28, 2));
        const qint64 rest = nameSize + qint64(little(entries, at + 30, 2)) + qint64(little(entries, at + 32, 2));
        if (at + directoryEntrySize + rest > entries.size())
            return std::nullopt;
        names << entries.mid(at + directoryEntrySize, nameSize);
        at += directoryEntrySize + rest;
    }
    if (at != entries.size())
        return std::nullopt;
    return names;
}

QByteArrayList caseVariantsOf(const QByteArray& entryName, const QByteArrayList& entryNames)
{
    QByteArrayList variants;
    for (const QByteArray& name : entryNames) {
        const bool sameName = std::equal(name.begin(), name.end(), entryName.begin(), entryName.end(),
                                         [](char a, char b) { return asciiLower(a) == asciiLower(b); });
        if (sameName && name != entryName)
            variants << name;
    }
    return variants;
}

} // namespace editor
