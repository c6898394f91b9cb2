// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the fuzz targets' seeds from the test tables: each row's arena text
// and each row's archive, with the arena and bot files inside it, into
// FOLDER/arena and FOLDER/archive; each game folder row's files, as the
// folder target reads them, into FOLDER/folder.
#include "FolderTree.h"
#include "gamecheck/FolderCheckCases.h"
#include "gamecheck/GameCheckCases.h"

namespace {

// A row's base folder as the folder target's bytes; empty for one too large
// to be worth mutating whole.
QByteArray folderSeed(const FolderCase& row)
{
    QByteArray bytes(1, char(std::find(game::allGames().begin(), game::allGames().end(), row.game)
                             - game::allGames().begin()));
    for (const FolderFile& file : row.base) {
        if (file.kind != FolderFile::Kind::File)
            continue;
        if (!file.path.endsWith(".pk3")) {
            fuzztree::appendRecord(bytes, fuzztree::LooseKind, file.path, file.bytes);
            continue;
        }
        fuzztree::appendRecord(bytes, fuzztree::PakKind, file.path, {});
        for (const TestEntry& entry : file.entries)
            fuzztree::appendRecord(bytes, fuzztree::EntryKind, entry.name, entry.bytes);
    }
    constexpr qsizetype largestSeed = 1 << 16;
    return bytes.size() <= largestSeed ? bytes : QByteArray();
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv); // the pictures of the table's levelshots
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        return 2;
    }
    const QDir seeds(QString::fromLocal8Bit(argv[1]));
    seeds.mkpath(QStringLiteral("arena"));
    seeds.mkpath(QStringLiteral("archive"));
    seeds.mkpath(QStringLiteral("folder"));
    for (const FolderCase& row : folderCases()) {
        if (const QByteArray seed = folderSeed(row); !seed.isEmpty())
            writeFile(seeds.filePath("folder/" + QString::fromUtf8(row.name)), seed);
    }
    const QTemporaryDir folder;
    for (const CheckCase& row : checkCases()) {
        const QString name = QString::fromUtf8(row.name);
        if (!row.arena.isEmpty())
            writeFile(seeds.filePath("arena/" + name), row.arena);
        for (const TestEntry& entry : row.archive) {
            if (entry.name.endsWith(".arena") || entry.name.endsWith(".bot"))
                writeFile(seeds.filePath("arena/" + name + "-" + QString::number(qHash(entry.name), 16)), entry.bytes);
        }
        if (!QByteArray(row.fileName).endsWith(".pk3") || row.route != Route::File || row.tweak == Tweak::Unreadable)
            continue;
        QDir(folder.path()).mkdir(name);
        const QString path = buildCaseFile(row, QDir(folder.path()).filePath(name));
        // The fuzzer mutates whole inputs: an archive of 65,535 entries would only slow it down.
        constexpr qint64 largestSeed = 1 << 20;
        if (QFileInfo(path).isFile() && !QFileInfo(path).isSymLink() && QFileInfo(path).size() <= largestSeed)
            QFile::copy(path, seeds.filePath("archive/" + name));
    }
    return 0;
}
