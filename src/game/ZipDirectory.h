// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/RegularFile.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace game {

// One record of an archive's central directory, as the game's unzip reads it.
struct DirectoryRecord {
    // The bytes of the name the game keeps: up to the first NUL, and no more
    // than its buffer holds.
    QByteArray name;
    std::uint16_t nameLength = 0; // as the record states it
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t size = 0;        // uncompressed: what the game takes for the file's length
    std::uint64_t localHeader = 0; // where in the file the game looks for the entry's local header
    std::uint64_t dataStart = 0;   // where it then finds the data: past the local header's name and extra field
    // Whether the game finds the local header there, agreeing with the
    // record on what it compares: the method, the name's length and, unless
    // they follow the data, the CRC and sizes.
    bool localHeaderAgrees = false;
};

// Why the game leaves a whole archive out, without a word.
enum class Refusal {
    None,
    NoEndRecord,      // none in the last 65,535 bytes, or only one at the very start: an empty archive
    SeveralDisks,     // the end record speaks of other disks
    CountsDiffer,     // its two counts of entries differ
    DirectoryPastEnd, // the directory it states would end after the end record
};

// An archive's directory as the game finds it: it takes the last end record
// in the file, and reads the directory back from where that record lies, so
// that bytes before the archive (a self-extractor's) do no harm.
struct ZipDirectory {
    Refusal refusal = Refusal::None; // an archive yet to be written has nothing to refuse
    std::uint16_t entryCount = 0; // the end record's count: how many files the game believes it holds
    // The bytes between where the end record says the directory starts and
    // where the game reads it; the game shifts every entry's offset by them.
    std::uint64_t bytesBefore = 0;
    // Another end record that a zip library may take in place of the game's.
    bool otherEndRecord = false;
    // A Zip64 end locator just before the end record. The game knows no
    // Zip64 records: it reads the 32-bit fields as they are, and takes the
    // Zip64 records for bytes in front of the archive.
    bool zip64Records = false;
    // The records the game read, in its order; fewer than entryCount when one
    // could not be read, and none when it refuses the archive.
    std::vector<DirectoryRecord> records;
};

// Reads an archive's end record and directory as the game does, a record at
// a time, and each record's local header: never the entries' data, and at
// most 256 bytes of a name. Sizes and counts are taken as they stand, a
// count of 0xFFFF and sizes of 0xFFFFFFFF too, as the game takes them.
ZipDirectory readZipDirectory(const platform::RegularFile& file);

} // namespace game
