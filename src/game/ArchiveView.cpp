// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/ArchiveView.h"

#include "game/EntryNames.h"

#include <algorithm>

namespace game {

namespace {

constexpr std::uint16_t deflated = 8;

} // namespace

ArchiveView::ArchiveView(platform::ZipArchive opened, ZipFormatFacts format)
    : archive(std::move(opened)), facts(std::move(format))
{
    const std::vector<platform::ZipEntry>& entries = archive->entries();
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const platform::ZipEntry& entry = entries[index];
        list.push_back({entry.name, entry.method, entry.encrypted, entry.size, index});
    }
}

void ArchiveView::putArena(const QByteArray& name, const QByteArray& text)
{
    std::erase_if(list, [&](const ArchiveEntry& entry) { return namesTheSameEntry(entry.name, name); });
    addedText = text;
    list.push_back({name, deflated, false, std::uint64_t(text.size()), std::nullopt});
}

const ArchiveEntry* ArchiveView::find(const QByteArray& name) const
{
    const auto found = std::find_if(list.begin(), list.end(), [&](const ArchiveEntry& entry) {
        return namesTheSameEntry(entry.name, name);
    });
    return found == list.end() ? nullptr : &*found;
}

std::optional<QByteArray> ArchiveView::read(const ArchiveEntry& entry, std::uint64_t limit) const
{
    if (!entry.stored)
        return entry.size <= limit ? std::optional(addedText) : std::nullopt;
    return archive->read(archive->entries()[*entry.stored], limit);
}

std::optional<QByteArray> ArchiveView::readStart(const ArchiveEntry& entry, std::uint64_t count) const
{
    if (!entry.stored)
        return addedText.left(qsizetype(std::min<std::uint64_t>(count, entry.size)));
    return archive->readStart(archive->entries()[*entry.stored], count);
}

} // namespace game
