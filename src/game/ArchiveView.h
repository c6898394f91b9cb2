// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/EntryData.h"
#include "game/ZipDirectory.h"
#include "platform/system/FileIdentity.h"
#include "platform/system/RegularFile.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace game {

// One file of an archive, as the game finds it.
struct ArchiveEntry {
    QByteArray name; // as the archive spells it, up to its first NUL
    QByteArray key;  // as the game files it (entryKey): two entries of one key are one file
    std::uint16_t method = 0;
    bool encrypted = false;
    std::uint64_t size = 0; // as the directory says: the length the game takes the file to have
    bool localHeaderAgrees = true;
    // Its record in the archive's directory; none for the arena about to be added.
    std::optional<std::size_t> record;
};

// An archive as the game will find it: the one on disk, read the way the
// game reads it, if there is one, with the entry about to be added in place.
// Files are listed once per name the game tells apart, where the name first
// comes, and are the last record of that name, as the game reads them.
class ArchiveView {
public:
    ArchiveView() = default; // an archive that does not exist yet

    // Reads the archive's directory as the game does, and has the zip
    // library read it too. Nothing when the path is no regular file that
    // may be read, or neither the game nor the library can read it as an
    // archive; `reason` then says why.
    static std::optional<ArchiveView> open(const QByteArray& path, QString* reason = nullptr);

    // Puts the arena text in as `name`, in place of any file of that name
    // for the game, as the pk3 route writes it: deflated, and last.
    void putArena(const QByteArray& name, const QByteArray& text);

    // Closes the file, which the view otherwise holds open for as long as
    // it lives: each read then opens it again, and reads it only while it
    // is the file that was read at first.
    void closeFile();

    const ZipDirectory& directory() const { return gameDirectory; }
    // The file it was read from, as it was then; none for one not yet written.
    const std::optional<platform::FileIdentity>& identity() const { return fileIdentity; }
    // Whether neither the game nor the zip library finds any entry in it, as
    // in an empty file.
    bool holdsNothing() const;
    // How the zip library's reading of the archive differs from the game's,
    // in a few words; empty when it sees the same records, or none at all.
    const QString& libraryDifference() const { return difference; }
    // Why the zip library cannot read an archive that the game reads; empty
    // when it can.
    const QString& libraryRefusal() const { return refusal; }

    // In the order the game lists them.
    const std::vector<ArchiveEntry>& entries() const { return list; }
    // The file the game finds for `name`, by its rule for names (entryKey).
    const ArchiveEntry* find(const QByteArray& name) const;

    // The entry's bytes as the game reads them (readEntryData): fewer than
    // its size where the game's reading ends early. Nothing when its size
    // is more than `limit`, or the game cannot open it at all.
    std::optional<QByteArray> read(const ArchiveEntry& entry, std::uint64_t limit) const;
    // Its first `count` bytes, or all of it when shorter, as the game reads them.
    std::optional<QByteArray> readStart(const ArchiveEntry& entry, std::uint64_t count) const;
    // Its bytes a piece at a time; false unless the game reads it whole.
    bool stream(const ArchiveEntry& entry, const std::function<void(const char*, std::size_t)>& sink) const;

    // What reading entries has cost so far: the budget tests hold it to.
    struct Work {
        std::uint64_t reads = 0;
        std::uint64_t bytes = 0;
    };
    const Work& work() const { return done; }

private:
    void addEntry(ArchiveEntry entry);
    // Reads an entry of the directory, from the file as it was first read.
    EntryRead readRecord(const ArchiveEntry& entry, std::uint64_t count,
                         const std::function<void(const char*, std::size_t)>& sink) const;

    ZipDirectory gameDirectory;
    std::optional<platform::FileIdentity> fileIdentity;
    QByteArray path;
    std::optional<platform::RegularFile> file; // closed by closeFile, and then opened for each read
    std::size_t libraryEntries = 0;
    QString difference;
    QString refusal;
    std::vector<ArchiveEntry> list;
    QHash<QByteArray, std::size_t> byKey;
    QByteArray addedText;
    mutable Work done;
};

} // namespace game
