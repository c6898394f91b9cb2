// SPDX-License-Identifier: GPL-3.0-or-later
// Times the game check for tools/benchmark-check, in the process, without
// the program's start:
//
//   probe_gamecheck add ARCHIVE RUNS     the check Create runs before adding
//                                        an arena to ARCHIVE, RUNS times
//   probe_gamecheck files ARCHIVE...     checkFiles on every ARCHIVE, once
//   probe_gamecheck open ARCHIVE RUNS    what File, Open reads of ARCHIVE and
//                                        makes of it for the chooser, RUNS times
//   probe_gamecheck folder DIR RUNS      checkFolder on DIR, RUNS times, the
//                                        map checksums remembered from the first
//   probe_gamecheck checksum MB          the map checksum of MB megabytes
//   probe_gamecheck make-folder DIR COUNT MB
//                                        writes COUNT map archives into DIR, each
//                                        with a stored map of MB megabytes (a hole
//                                        in the file, so that the disk stays
//                                        empty), its bot navigation file, its
//                                        levelshot and its arena
#include "editor/ArenaChoices.h"
#include "editor/ArenaText.h"
#include "game/MapChecksum.h"
#include "gamecheck/GameCheck.h"
#include "platform/system/ChecksumCache.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

std::uint32_t crc32(const QByteArray& bytes, std::uint32_t crc = 0)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320 ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    crc = ~crc;
    for (const char byte : bytes)
        crc = table[(crc ^ std::uint8_t(byte)) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

QByteArray le16(int value)
{
    return QByteArray(1, char(value & 0xFF)) + char((value >> 8) & 0xFF);
}

QByteArray le32(std::uint32_t value)
{
    return le16(int(value & 0xFFFF)) + le16(int(value >> 16));
}

// One stored entry: its name, its bytes, or a size of zeros left as a hole.
struct Entry {
    QByteArray name;
    QByteArray bytes;
    std::uint32_t zeros = 0;
    std::uint32_t crc = 0;
};

// Writes a zip archive of stored entries by hand, leaving runs of zeros as
// holes in the file.
bool writeStoredArchive(const QString& path, const std::vector<Entry>& entries)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray directory;
    for (const Entry& entry : entries) {
        const std::uint32_t size = entry.zeros ? entry.zeros : std::uint32_t(entry.bytes.size());
        const std::uint32_t crc = entry.zeros ? entry.crc : crc32(entry.bytes);
        const std::uint32_t offset = std::uint32_t(file.pos());
        const QByteArray common = le16(20) + le16(0) + le16(0) + le16(0) + le16(0x21) + le32(crc) + le32(size)
            + le32(size) + le16(int(entry.name.size())) + le16(0);
        file.write("PK\3\4" + common + entry.name);
        if (entry.zeros)
            file.seek(file.pos() + entry.zeros);
        else
            file.write(entry.bytes);
        directory += "PK\1\2" + le16(20) + common + le16(0) + le16(0) + le16(0) + le32(0) + le32(offset) + entry.name;
    }
    const std::uint32_t start = std::uint32_t(file.pos());
    file.write(directory + "PK\5\6" + le16(0) + le16(0) + le16(int(entries.size())) + le16(int(entries.size()))
               + le32(std::uint32_t(directory.size())) + le32(start) + le16(0));
    return file.error() == QFile::NoError;
}

int makeFolder(const QString& folder, int count, int megabytes)
{
    const std::uint32_t size = std::uint32_t(megabytes) * 1024 * 1024;
    const QByteArray megabyte(1024 * 1024, '\0');
    std::uint32_t zerosCrc = 0;
    game::MapChecksum checksum;
    for (int mb = 0; mb < megabytes; ++mb) {
        zerosCrc = crc32(megabyte, zerosCrc);
        checksum.add(megabyte.constData(), std::size_t(megabyte.size()));
    }
    // The navigation file's header, its checksum hidden as version 5 hides it.
    QByteArray aas = "EAAS" + le32(5) + le32(checksum.value()) + QByteArray(112, '\0');
    for (int i = 8; i < aas.size(); ++i)
        aas[i] = char(aas[i] ^ char((i - 8) * 119));
    const QByteArray levelshot = QByteArray("\0\0\2\0\0\0\0\0\0\0\0\0\1\0\1\0\30\0", 18) + QByteArray(3, '\x7f');
    QDir().mkpath(folder);
    for (int n = 0; n < count; ++n) {
        const QByteArray map = "map" + QByteArray::number(n);
        const std::vector<Entry> entries{
            {"maps/" + map + ".bsp", {}, size, zerosCrc},
            {"maps/" + map + ".aas", aas},
            {"levelshots/" + map + ".tga", levelshot},
            {"scripts/" + map + ".arena", editor::arenaText({QString::fromLatin1(map), "", "Map", "20", "ffa"})},
        };
        if (!writeStoredArchive(QDir(folder).filePath(QString::fromLatin1(map) + ".pk3"), entries))
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    // As the program's own main does: else glibc looks at the zone file
    // again for every time libzip converts, and the check is timed slower
    // than it runs.
    ::setenv("TZ", ":/etc/localtime", 0);
    QCoreApplication application(argc, argv); // image readers come as plug-ins
    if (argc >= 4 && std::strcmp(argv[1], "add") == 0) {
        const QString archive = QString::fromLocal8Bit(argv[2]);
        const QByteArray text = editor::arenaText({"big", "", "Benchmark", "20", "ffa"});
        for (int run = 0; run < std::atoi(argv[3]); ++run) {
            QElapsedTimer timer;
            timer.start();
            const gamecheck::CheckResult result =
                gamecheck::checkArenaToAdd(text, archive, "scripts/big.arena");
            std::printf("check took %.2f ms, %zu findings\n", milliseconds(timer), result.findings.size());
        }
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "files") == 0) {
        QByteArrayList paths;
        for (int index = 2; index < argc; ++index)
            paths << QByteArray(argv[index]);
        QElapsedTimer timer;
        timer.start();
        std::size_t findings = 0;
        for (const gamecheck::CheckResult& result : gamecheck::checkFiles(paths))
            findings += result.findings.size();
        std::printf("checked %d archives in %.2f ms, %zu findings\n", argc - 2, milliseconds(timer), findings);
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "open") == 0) {
        const QString archive = QString::fromLocal8Bit(argv[2]);
        for (int run = 0; run < std::atoi(argv[3]); ++run) {
            QElapsedTimer timer;
            timer.start();
            const gamecheck::FileToEdit file = gamecheck::readToEdit(archive);
            const std::size_t arenas = editor::arenaChoices(file).size();
            std::printf("open took %.2f ms, %zu arenas\n", milliseconds(timer), arenas);
        }
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "folder") == 0) {
        platform::ChecksumCache checksums;
        for (int run = 0; run < std::atoi(argv[3]); ++run) {
            QElapsedTimer timer;
            timer.start();
            const gamecheck::FolderCheckResult result = gamecheck::checkFolder(QString::fromLocal8Bit(argv[2]), {}, &checksums);
            std::printf("folder took %.2f ms, %zu findings\n", milliseconds(timer), result.report.findings.size());
        }
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "checksum") == 0) {
        const std::vector<char> megabyte(1024 * 1024, '\1');
        game::MapChecksum checksum;
        QElapsedTimer timer;
        timer.start();
        for (int mb = 0; mb < std::atoi(argv[2]); ++mb)
            checksum.add(megabyte.data(), megabyte.size());
        std::printf("checksum took %.2f ms per MB (%08x)\n", milliseconds(timer) / std::atoi(argv[2]), checksum.value());
        return 0;
    }
    if (argc >= 5 && std::strcmp(argv[1], "make-folder") == 0)
        return makeFolder(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    std::fprintf(stderr, "usage: probe_gamecheck add ARCHIVE RUNS | files ARCHIVE... | open ARCHIVE RUNS | folder DIR RUNS"
                         " | checksum MB | make-folder DIR COUNT MB\n");
    return 2;
}
