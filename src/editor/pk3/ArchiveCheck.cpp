// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/pk3/ArchiveCheck.h"

#include "game/EntryNames.h"
#include "gamecheck/ShownName.h"

#include <algorithm>
#include <tuple>

namespace editor {

namespace {

using EntryKey = std::tuple<QByteArray, std::uint32_t, std::uint64_t>;

// The entries other than the route's own, by what identifies their content.
std::vector<EntryKey> otherEntries(const std::vector<platform::ZipEntry>& entries, const QByteArray& entryName,
                                   const QByteArray& replacedEntry)
{
    std::vector<EntryKey> others;
    for (const platform::ZipEntry& entry : entries) {
        if (!game::namesTheSameEntry(entry.name, entryName) && entry.name != replacedEntry)
            others.emplace_back(entry.name, entry.crc, entry.size);
    }
    std::sort(others.begin(), others.end());
    return others;
}

} // namespace

QString problemWithUpdatedArchive(const std::vector<platform::ZipEntry>& before, const QString& updatedPath,
                                  const QByteArray& entryName, const QByteArray& entryBytes,
                                  const QByteArray& replacedEntry)
{
    QString reason;
    const std::optional<platform::ZipArchive> updated = platform::ZipArchive::open(updatedPath, &reason);
    if (!updated)
        return QStringLiteral("it cannot be read as an archive: %1").arg(reason);

    std::vector<const platform::ZipEntry*> own;
    for (const platform::ZipEntry& entry : updated->entries()) {
        if (game::namesTheSameEntry(entry.name, entryName))
            own.push_back(&entry);
    }
    const QString name = gamecheck::shownName(entryName);
    if (own.size() != 1)
        return QStringLiteral("it holds %1 entries named %2 where there should be one").arg(own.size()).arg(name);
    if (own.front()->name != entryName)
        return QStringLiteral("its entry is named %1 instead of %2").arg(gamecheck::shownName(own.front()->name), name);
    if (updated->read(*own.front(), std::uint64_t(entryBytes.size())) != entryBytes)
        return QStringLiteral("its %1 does not hold the arena file's text").arg(name);
    if (std::any_of(updated->entries().begin(), updated->entries().end(),
                    [&](const platform::ZipEntry& entry) { return !replacedEntry.isEmpty() && entry.name == replacedEntry; }))
        return QStringLiteral("it still holds %1").arg(gamecheck::shownName(replacedEntry));
    if (otherEntries(updated->entries(), entryName, replacedEntry) != otherEntries(before, entryName, replacedEntry))
        return QStringLiteral("it does not hold the other entries of the archive unchanged");
    return QString();
}

} // namespace editor
