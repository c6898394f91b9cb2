// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the fuzz targets' seeds from the test table: each row's arena text
// and each row's archive, with the arena and bot files inside it, into
// FOLDER/arena and FOLDER/archive.
#include "gamecheck/GameCheckCases.h"

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
