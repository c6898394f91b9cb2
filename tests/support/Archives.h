// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Archives for the tests: built through libzip with each entry's compression
// and encryption as asked, or with Zip64 records by the real zip; read back
// with the outside programs; and the smallest map the game loads.
#include "support/Testing.h"

#include <zip.h>

#include <vector>

struct TestEntry {
    QByteArray name;
    QByteArray bytes;
    zip_int32_t method = ZIP_CM_DEFLATE;
    bool encrypted = false;
};

// Runs a program to its end and returns what it printed.
inline QByteArray run(const QString& program, const QStringList& arguments, const QString& folder = QString())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

// Creates or replaces the archive; fails the test if libzip cannot write it.
inline void writeArchive(const QString& path, const std::vector<TestEntry>& entries)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr) << "libzip error " << error;
    for (const TestEntry& entry : entries) {
        zip_source_t* source = zip_source_buffer(archive, entry.bytes.constData(), zip_uint64_t(entry.bytes.size()), 0);
        const zip_int64_t index = zip_file_add(archive, entry.name.constData(), source, ZIP_FL_ENC_RAW);
        ASSERT_GE(index, 0) << zip_strerror(archive);
        ASSERT_EQ(zip_set_file_compression(archive, zip_uint64_t(index), entry.method, 0), 0) << zip_strerror(archive);
        if (entry.encrypted) {
            ASSERT_EQ(zip_file_set_encryption(archive, zip_uint64_t(index), ZIP_EM_AES_256, "secret"), 0);
        }
    }
    ASSERT_EQ(zip_close(archive), 0) << zip_strerror(archive);
}

// An archive of the named entries, each holding its own name.
inline void makeArchive(const QString& path, const QStringList& names)
{
    std::vector<TestEntry> entries;
    for (const QString& name : names)
        entries.push_back({name.toUtf8(), name.toUtf8()});
    writeArchive(path, entries);
}

// The same with Zip64 records, which the real zip writes when asked.
inline void writeZip64Archive(const QString& path, const std::vector<TestEntry>& entries)
{
    QTemporaryDir folder;
    QStringList names;
    for (const TestEntry& entry : entries) {
        const QString name = QString::fromUtf8(entry.name);
        QDir(folder.path()).mkpath(QFileInfo(name).path());
        writeFile(folder.filePath(name), entry.bytes);
        names << name;
    }
    // zip gives a name without an extension one of its own.
    run(QStringLiteral("zip"), QStringList{QStringLiteral("-q"), QStringLiteral("-fz"), QStringLiteral("out.zip")} + names,
        folder.path());
    QFile::remove(path);
    ASSERT_TRUE(QFile::rename(folder.filePath(QStringLiteral("out.zip")), path)) << "zip -fz made no archive";
}

// An archive's bytes cut where its directory and its end record start, to
// build what zip writers never write. The archive has no comment.
struct ZipParts {
    QByteArray entries;   // the local headers and data
    QByteArray directory;
    QByteArray end;       // the end record
};

inline ZipParts zipParts(const QByteArray& archive)
{
    const QByteArray end = archive.right(22);
    const quint32 size = qFromLittleEndian<quint32>(end.constData() + 12);
    const quint32 offset = qFromLittleEndian<quint32>(end.constData() + 16);
    return {archive.left(offset), archive.mid(offset, size), end};
}

// An end record for a directory of `count` records, `size` bytes, said to start at `offset`.
inline QByteArray endRecord(quint16 count, quint32 size, quint32 offset)
{
    QByteArray end("PK\5\6", 4);
    end.resize(22, '\0');
    qToLittleEndian(count, end.data() + 8);
    qToLittleEndian(count, end.data() + 10);
    qToLittleEndian(size, end.data() + 12);
    qToLittleEndian(offset, end.data() + 16);
    return end;
}

// The directory with every record's local header offset moved by `by`.
inline QByteArray movedDirectory(QByteArray directory, qint64 by)
{
    for (qsizetype at = 0; at + 46 <= directory.size();) {
        char* record = directory.data() + at;
        qToLittleEndian(quint32(qFromLittleEndian<quint32>(record + 42) + by), record + 42);
        at += 46 + qFromLittleEndian<quint16>(record + 28) + qFromLittleEndian<quint16>(record + 30)
            + qFromLittleEndian<quint16>(record + 32);
    }
    return directory;
}

inline QByteArray archiveBytes(const std::vector<TestEntry>& entries)
{
    QTemporaryDir folder;
    writeArchive(folder.filePath("a.zip"), entries);
    return readAll(folder.filePath("a.zip"));
}

// An archive of two directories of as many records, a zip library reading
// `forLibrary`'s and the game `forGame`'s: the end record says the
// directory starts where the library's does, and the game's ends there;
// or each directory has an end record, and the game takes the last.
inline QByteArray twoDirectoryArchive(const std::vector<TestEntry>& forLibrary, const std::vector<TestEntry>& forGame,
                                      bool twoEndRecords = false)
{
    const ZipParts library = zipParts(archiveBytes(forLibrary));
    const ZipParts game = zipParts(archiveBytes(forGame));
    const QByteArray head = library.entries + game.entries;
    const quint16 count = quint16(forGame.size());
    if (twoEndRecords) {
        const QByteArray first = library.directory + endRecord(count, quint32(library.directory.size()), quint32(head.size()));
        const QByteArray gameDirectory = movedDirectory(game.directory, library.entries.size());
        return head + first + gameDirectory
            + endRecord(count, quint32(gameDirectory.size()), quint32(head.size() + first.size()));
    }
    // The game shifts its directory's offsets by the bytes between the
    // stated start and the real one: the library's directory.
    const QByteArray gameDirectory = movedDirectory(game.directory, library.entries.size() - library.directory.size());
    return head + library.directory + gameDirectory
        + endRecord(count, quint32(gameDirectory.size()), quint32(head.size()));
}

// Each directory record of an archive without a comment: its name, and
// where the record lies in the archive.
template <typename Visit>
void forEachRecord(const QByteArray& archive, Visit visit)
{
    const ZipParts parts = zipParts(archive);
    for (qsizetype at = 0; at + 46 <= parts.directory.size();) {
        const char* record = parts.directory.constData() + at;
        const quint16 nameLength = qFromLittleEndian<quint16>(record + 28);
        visit(parts.directory.mid(at + 46, nameLength), parts.entries.size() + at);
        at += 46 + nameLength + qFromLittleEndian<quint16>(record + 30) + qFromLittleEndian<quint16>(record + 32);
    }
}

// The archive with the 32-bit field at `offset` of the named entry's
// directory record (16 the CRC, 20 the compressed size, 24 the size) set
// to `value`, and the same field of its local header.
inline QByteArray withEntryField(QByteArray archive, const QByteArray& name, int offset, quint32 value)
{
    forEachRecord(QByteArray(archive), [&](const QByteArray& recordName, qsizetype at) {
        if (recordName != name)
            return;
        qToLittleEndian(value, archive.data() + at + offset);
        // A local header lacks the directory's "version made by".
        qToLittleEndian(value, archive.data() + qFromLittleEndian<quint32>(archive.constData() + at + 42) + offset - 2);
    });
    return archive;
}

// The archive with Zip64 records, an end record and its locator (76 bytes),
// between its directory and its end record, whose fields stay as they were:
// what a Zip64 writer leaves for a small archive.
inline QByteArray withZip64Records(const QByteArray& archive)
{
    const ZipParts parts = zipParts(archive);
    const quint64 count = qFromLittleEndian<quint16>(parts.end.constData() + 10);
    QByteArray record("PK\6\6", 4), locator("PK\6\7", 4);
    record.resize(56, '\0');
    locator.resize(20, '\0');
    qToLittleEndian<quint64>(44, record.data() + 4);
    qToLittleEndian<quint64>(count, record.data() + 24);
    qToLittleEndian<quint64>(count, record.data() + 32);
    qToLittleEndian<quint64>(quint64(parts.directory.size()), record.data() + 40);
    qToLittleEndian<quint64>(quint64(parts.entries.size()), record.data() + 48);
    qToLittleEndian<quint64>(quint64(parts.entries.size() + parts.directory.size()), locator.data() + 8);
    qToLittleEndian<quint32>(1, locator.data() + 16);
    return parts.entries + parts.directory + record + locator + parts.end;
}

// The archive with empty stored files "pad/N" after its own, `count`
// records in all.
inline QByteArray paddedTo(const QByteArray& archive, int count)
{
    ZipParts parts = zipParts(archive);
    for (int n = qFromLittleEndian<quint16>(parts.end.constData() + 10); n < count; ++n) {
        const QByteArray name = "pad/" + QByteArray::number(n);
        QByteArray local("PK\3\4", 4), record("PK\1\2", 4);
        local.resize(30, '\0');
        record.resize(46, '\0');
        qToLittleEndian<quint16>(quint16(name.size()), local.data() + 26);
        qToLittleEndian<quint16>(quint16(name.size()), record.data() + 28);
        qToLittleEndian<quint32>(quint32(parts.entries.size()), record.data() + 42);
        parts.entries += local + name;
        parts.directory += record + name;
    }
    return parts.entries + parts.directory
        + endRecord(quint16(count), quint32(parts.directory.size()), quint32(parts.entries.size()));
}

// The archive with a comment of `length` bytes after its end record.
inline QByteArray withComment(QByteArray archive, quint16 length)
{
    qToLittleEndian(length, archive.data() + archive.size() - 2);
    return archive + QByteArray(length, 'c');
}

// A map of one leaf in one node, with one plane, one shader and one model,
// whose entities are `entities`: as little as the game's loader takes.
inline QByteArray bspWithEntities(QByteArray entities)
{
    const auto ints = [](std::initializer_list<qint32> values) {
        QByteArray bytes;
        for (const qint32 value : values)
            bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
        return bytes;
    };
    const auto floats = [](std::initializer_list<float> values) {
        QByteArray bytes;
        for (const float value : values)
            bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
        return bytes;
    };
    entities += '\0';
    const QByteArray lumps[17] = {
        entities,
        QByteArray("textures/judge").leftJustified(64, '\0') + ints({0, 1}),
        floats({0, 0, 1, 0}),
        ints({0, -1, -1, -64, -64, -64, 64, 64, 64}),
        ints({0, 0, -64, -64, -64, 64, 64, 64, 0, 0, 0, 0}),
        {},
        {},
        floats({-64, -64, -64, 64, 64, 64}) + ints({0, 0, 0, 0}),
    };
    QByteArray header = "IBSP" + ints({46});
    QByteArray body;
    const qint32 start = qint32(header.size() + 17 * 8);
    for (const QByteArray& lump : lumps) {
        header += ints({start + qint32(body.size()), qint32(lump.size())});
        body += lump;
        while (body.size() % 4)
            body += '\0';
    }
    return header + body;
}

// The smallest map with a worldspawn alone. A message in the worldspawn
// makes another version of it.
inline QByteArray smallestBsp(const QByteArray& message = QByteArray())
{
    QByteArray entities("{\n\"classname\" \"worldspawn\"\n");
    if (!message.isEmpty())
        entities += "\"message\" \"" + message + "\"\n";
    return bspWithEntities(entities + "}\n");
}
