// SPDX-License-Identifier: GPL-3.0-or-later
// Archives made to tie the check up: each is checked within a budget of
// work done, whatever the machine's speed. Every rule visits an entry once.
#include "game/ArchiveView.h"
#include "gamecheck/ArchiveRules.h"
#include "editor/ArenaText.h"
#include "support/Archives.h"

namespace {

const QByteArray arenaText = editor::arenaText({"judge", "Robo", "Judge", "20", "ffa"});

std::vector<TestEntry> mapAndArenas(int arenas)
{
    std::vector<TestEntry> entries{{"maps/judge.bsp", smallestBsp()}};
    for (int n = 0; n < arenas; ++n)
        entries.push_back({"scripts/judge" + QByteArray::number(n) + ".arena", arenaText});
    return entries;
}

// `count` more empty, stored entries at the end of the archive.
QByteArray withEmptyEntries(const QByteArray& archive, int count)
{
    ZipParts parts = zipParts(archive);
    const int before = int(littleEndianAt(parts.end, 10, 2));
    for (int n = 0; n < count; ++n) {
        const QByteArray name = "empty/" + QByteArray::number(n);
        QByteArray local("PK\3\4", 4);
        local.resize(30, '\0');
        putLittleEndian(local, 26, 2, quint32(name.size()));
        QByteArray record("PK\1\2", 4);
        record.resize(46, '\0');
        putLittleEndian(record, 28, 2, quint32(name.size()));
        putLittleEndian(record, 42, 4, quint32(parts.entries.size()));
        parts.entries += local + name;
        parts.directory += record + name;
    }
    return parts.entries + parts.directory
        + endRecord(quint16(before + count), quint32(parts.directory.size()), quint32(parts.entries.size()));
}

// The directory record of `entry` written `copies` times in all, each
// naming the same local header.
QByteArray withRecordRepeated(const QByteArray& archive, const QByteArray& entry, int copies)
{
    ZipParts parts = zipParts(archive);
    qsizetype record = 0;
    while (parts.directory.mid(record + 46, entry.size()) != entry)
        record += 46 + littleEndianAt(parts.directory, record + 28, 2) + littleEndianAt(parts.directory, record + 30, 2)
                + littleEndianAt(parts.directory, record + 32, 2);
    const QByteArray one = parts.directory.mid(record, 46 + entry.size());
    for (int n = 1; n < copies; ++n)
        parts.directory += one;
    const int count = int(littleEndianAt(parts.end, 10, 2)) + copies - 1;
    return parts.entries + parts.directory
        + endRecord(quint16(count), quint32(parts.directory.size()), quint32(parts.entries.size()));
}

struct Budget {
    const char* name;
    std::function<QByteArray()> archive;
    std::size_t records; // the game reads each directory record once
    std::uint64_t reads; // entries read at most
    std::uint64_t bytes; // of their bytes at most
};

void PrintTo(const Budget& budget, std::ostream* out)
{
    *out << budget.name;
}

class CheckBudget : public testing::TestWithParam<Budget> {};

TEST_P(CheckBudget, StaysWithinItsBudget)
{
    const Budget& budget = GetParam();
    const QTemporaryDir folder;
    const QString path = folder.filePath("budget.pk3");
    writeFile(path, budget.archive());
    QString reason;
    const std::optional<game::ArchiveView> archive = game::ArchiveView::open(path, &reason);
    ASSERT_TRUE(archive) << reason.toStdString();
    gamecheck::Findings findings;
    gamecheck::checkArchive(*archive, path, findings);

    EXPECT_EQ(archive->directory().records.size(), budget.records);
    EXPECT_TRUE(archive->libraryDifference().isEmpty()) << archive->libraryDifference().toStdString();
    EXPECT_LE(archive->work().reads, budget.reads);
    EXPECT_LE(archive->work().bytes, budget.bytes);
}

INSTANTIATE_TEST_SUITE_P(, CheckBudget,
    testing::Values(
        // Each arena read once, its map and levelshot looked up by name.
        Budget{"empty_entries_65000_and_arenas_200",
               [] { return withEmptyEntries(archiveBytes(mapAndArenas(200)), 65000); }, 65201, 200,
               200 * quint64(arenaText.size())},
        // The game skips bot files of 8,192 bytes or more without reading them.
        Budget{"bot_files_of_8192_bytes_1000",
               [] {
                   std::vector<TestEntry> entries = mapAndArenas(1);
                   for (int n = 0; n < 1000; ++n)
                       entries.push_back({"scripts/b" + QByteArray::number(n) + ".bot", QByteArray(8192, ' ')});
                   return archiveBytes(entries);
               },
               1002, 1, quint64(arenaText.size())},
        // One file for the game, read once.
        Budget{"records_2000_of_one_bot_file",
               [] {
                   std::vector<TestEntry> entries = mapAndArenas(1);
                   entries.push_back({"scripts/robo.bot", QByteArray(8191, ' ')});
                   return withRecordRepeated(archiveBytes(entries), "scripts/robo.bot", 2000);
               },
               2002, 2, 8191 + quint64(arenaText.size())}),
    [](const testing::TestParamInfo<Budget>& info) { return std::string(info.param.name); });

} // namespace
