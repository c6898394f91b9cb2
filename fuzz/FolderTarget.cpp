// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: bytes as a small game folder (FolderTree.h), written to
// a temporary folder, pk3s and loose files, and checked whole by the
// folder rules as the game of the first byte loads it. Besides not
// crashing, each finding and the summary stay one printable line, and a
// second check of the same folder says the same.
#include "FindingsStayLines.h"
#include "FolderTree.h"
#include "gamecheck/GameCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <ftw.h>
#include <span>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString root;

std::uint32_t crc32(const QByteArray& bytes)
{
    std::uint32_t crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= std::uint8_t(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return ~crc;
}

void put16(QByteArray& into, std::uint32_t value)
{
    into += char(value & 0xFF);
    into += char(value >> 8 & 0xFF);
}

void put32(QByteArray& into, std::uint32_t value)
{
    put16(into, value & 0xFFFF);
    put16(into, value >> 16);
}

// A zip archive of the entries, stored, as plainly as zip writes one.
QByteArray storedZip(const std::vector<fuzztree::Entry>& entries)
{
    QByteArray file, directory;
    for (const fuzztree::Entry& entry : entries) {
        const std::uint32_t crc = crc32(entry.bytes), size = std::uint32_t(entry.bytes.size());
        const std::uint32_t offset = std::uint32_t(file.size());
        QByteArray common;
        put16(common, 20), put16(common, 0), put16(common, 0), put16(common, 0), put16(common, 0x21);
        put32(common, crc), put32(common, size), put32(common, size), put16(common, std::uint32_t(entry.name.size()));
        put16(common, 0);
        put32(file, 0x04034b50);
        file += common + entry.name + entry.bytes;
        put32(directory, 0x02014b50);
        put16(directory, 20);
        directory += common;
        put16(directory, 0), put16(directory, 0), put16(directory, 0), put32(directory, 0), put32(directory, offset);
        directory += entry.name;
    }
    const std::uint32_t start = std::uint32_t(file.size());
    file += directory;
    put32(file, 0x06054b50);
    put16(file, 0), put16(file, 0);
    put16(file, std::uint32_t(entries.size())), put16(file, std::uint32_t(entries.size()));
    put32(file, std::uint32_t(directory.size())), put32(file, start), put16(file, 0);
    return file;
}

// A name from the input as a path inside the folder: its parts without
// "." and "..", at most three deep.
QByteArray pathInside(const QByteArray& name)
{
    QByteArrayList parts;
    for (const QByteArray& part : QByteArray(name).replace('\0', '_').split('/')) {
        if (!part.isEmpty() && part != "." && part != ".." && parts.size() < 3)
            parts << part;
    }
    return parts.join('/');
}

// Writes a file under its own bytes, with the folders it lies in: a name
// need not be text.
void write(const QByteArray& folder, const QByteArray& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return;
    const QByteArray full = folder + '/' + path;
    for (qsizetype slash = full.indexOf('/', folder.size() + 1); slash >= 0; slash = full.indexOf('/', slash + 1))
        ::mkdir(full.left(slash).constData(), 0755);
    const int fd = ::open(full.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    if (::write(fd, bytes.constData(), std::size_t(bytes.size())) != bytes.size())
        std::abort();
    ::close(fd);
}

// Removes a folder and all it holds, by the names' own bytes.
void removeTree(const QByteArray& path)
{
    ::nftw(
        path.constData(), [](const char* name, const struct stat*, int, FTW*) { return ::remove(name); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The image readers of the levelshot rule are plugins, found through the application.
    static QCoreApplication application(*argc, *argv);
    // In memory where the system has a folder for it: each input is written whole.
    const QDir under(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath());
    root = under.filePath(QStringLiteral("fuzz_folder.%1").arg(QCoreApplication::applicationPid()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fuzztree::Tree tree = fuzztree::decode(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const std::span<const game::Game* const> games = game::allGames();
    const game::Game& game = *games[std::size_t(tree.game) % games.size()];
    const QString folder = QDir(root).filePath(QString::fromLatin1(game.folder));
    QDir().mkpath(folder);
    const QByteArray folderBytes = QFile::encodeName(folder);
    for (const fuzztree::Pak& pak : tree.paks) {
        const QByteArray name = pathInside(pak.name).replace('/', '_');
        write(folderBytes, name.endsWith(".pk3") ? name : name + ".pk3", pak.isRaw ? pak.raw : storedZip(pak.entries));
    }
    for (const fuzztree::Entry& file : tree.looseFiles)
        write(folderBytes, pathInside(file.name), file.bytes);
    game::Locations where;
    where.game = &game;
    const gamecheck::FolderCheckResult first = gamecheck::checkFolder(folder, where);
    requireOneLineEach(first.report.findings);
    if (!printsSafely(gamecheck::summarySentence(first.report.summary)))
        std::abort();
    // The same folder, checked again, gives the same report.
    if (gamecheck::checkFolder(folder, where).report.findings != first.report.findings)
        std::abort();
    // Nothing is left behind, however the run ends.
    removeTree(QFile::encodeName(root));
    return 0;
}
