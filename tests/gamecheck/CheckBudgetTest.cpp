// SPDX-License-Identifier: GPL-3.0-or-later
// Archives made to tie the check up, each checked within a budget of work
// done, whatever the machine's speed.
#include "game/ArchiveView.h"
#include "gamecheck/ArchiveRules.h"
#include "editor/ArenaText.h"
#include "support/Archives.h"

namespace {

const QByteArray arenaText = editor::arenaText({"judge", "Robo", "Judge", "20", "ffa"});

std::vector<TestEntry> mapAndArenas(int arenas, int emptyEntries = 0)
{
    std::vector<TestEntry> entries{{"maps/judge.bsp", smallestBsp()}};
    for (int n = 0; n < arenas; ++n)
        entries.push_back({"scripts/judge" + QByteArray::number(n) + ".arena", arenaText});
    for (int n = 0; n < emptyEntries; ++n)
        entries.push_back({"empty/" + QByteArray::number(n), {}, ZIP_CM_STORE});
    return entries;
}

// The game reads each directory record once, and at most `reads` entries
// of `bytes` in all.
void checkWithin(const QByteArray& bytes, std::size_t records, std::uint64_t reads, std::uint64_t readBytes)
{
    const QTemporaryDir folder;
    writeFile(folder.filePath("budget.pk3"), bytes);
    const std::optional<game::ArchiveView> archive =
        game::ArchiveView::open(QFile::encodeName(folder.filePath("budget.pk3")));
    ASSERT_TRUE(archive);
    gamecheck::Findings findings;
    gamecheck::checkArchive(*archive, folder.filePath("budget.pk3"), game::quake3(), findings);
    EXPECT_EQ(archive->directory().records.size(), records);
    EXPECT_TRUE(archive->libraryDifference().isEmpty()) << archive->libraryDifference().toStdString();
    EXPECT_LE(archive->work().reads, reads);
    EXPECT_LE(archive->work().bytes, readBytes);
}

} // namespace

TEST(CheckBudget, EachArenaIsReadOnceAndItsMapAndLevelshotLookedUpByName)
{
    checkWithin(archiveBytes(mapAndArenas(200, 65000)), 65201, 200, 200 * quint64(arenaText.size()));
}

TEST(CheckBudget, BotFilesTheGameSkipsForTheirSizeAreNotRead)
{
    std::vector<TestEntry> entries = mapAndArenas(1);
    for (int n = 0; n < 1000; ++n)
        entries.push_back({"scripts/b" + QByteArray::number(n) + ".bot", QByteArray(8192, ' ')});
    checkWithin(archiveBytes(entries), 1002, 1, quint64(arenaText.size()));
}

TEST(CheckBudget, RecordsOfOneNameAreOneFileReadOnce)
{
    std::vector<TestEntry> entries = mapAndArenas(1);
    entries.push_back({"scripts/robo.bot", QByteArray(8191, ' ')});
    ZipParts parts = zipParts(archiveBytes(entries));
    const qsizetype bot = parts.directory.indexOf("scripts/robo.bot") - 46;
    parts.directory += parts.directory.mid(bot, 46 + 16).repeated(1999);
    const QByteArray end = endRecord(2002, quint32(parts.directory.size()), quint32(parts.entries.size()));
    checkWithin(parts.entries + parts.directory + end, 2002, 2, 8191 + quint64(arenaText.size()));
}

TEST(ClosedArchive, IsReadAgainOnlyWhileItIsTheFileFirstRead)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath("closed.pk3");
    writeArchive(path, {{"scripts/a.arena", arenaText}});
    std::optional<game::ArchiveView> archive = game::ArchiveView::open(QFile::encodeName(path));
    ASSERT_TRUE(archive);
    archive->closeFile();
    const game::ArchiveEntry& entry = archive->entries().front();
    EXPECT_EQ(archive->read(entry, 8192), arenaText);
    EXPECT_EQ(archive->readStart(entry, 3), arenaText.left(3));
    // Another archive in its place, with an entry of that name and size.
    ASSERT_TRUE(QFile::remove(path));
    writeArchive(path, {{"scripts/a.arena", QByteArray(arenaText).replace("Judge", "Other")}});
    EXPECT_EQ(archive->read(entry, 8192), std::nullopt);
    EXPECT_FALSE(archive->stream(entry, [](const char*, std::size_t) {}));
}
