// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/ZipFormatFacts.h"
#include "platform/system/ZipArchive.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace game {

// One file in an archive, as the game's directory of it holds it.
struct ArchiveEntry {
    QByteArray name;
    std::uint16_t method = 0;
    bool encrypted = false;
    std::uint64_t size = 0;
    // Where its bytes are: an entry of the archive on disk, or else the
    // arena about to be added.
    std::optional<std::size_t> stored;
};

// An archive as the game will find it: the one on disk, if there is one,
// with the entry about to be added in place.
class ArchiveView {
public:
    ArchiveView() = default; // an archive that does not exist yet
    ArchiveView(platform::ZipArchive archive, ZipFormatFacts facts);

    // Puts the arena text in as `name`, in place of any entry the game takes
    // for the same name, as the pk3 route writes it: deflated.
    void putArena(const QByteArray& name, const QByteArray& text);

    const std::vector<ArchiveEntry>& entries() const { return list; }
    const ZipFormatFacts& format() const { return facts; }
    // The entry the game finds for `name`, which it matches regardless of
    // the case of ASCII letters.
    const ArchiveEntry* find(const QByteArray& name) const;

    // The entry's bytes; nothing when it is larger than `limit` or cannot be read.
    std::optional<QByteArray> read(const ArchiveEntry& entry, std::uint64_t limit) const;
    // Its first `count` bytes, or all of it when shorter.
    std::optional<QByteArray> readStart(const ArchiveEntry& entry, std::uint64_t count) const;

private:
    std::optional<platform::ZipArchive> archive;
    ZipFormatFacts facts;
    std::vector<ArchiveEntry> list;
    QByteArray addedText;
};

} // namespace game
