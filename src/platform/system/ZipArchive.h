// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

struct zip;

namespace platform {

class RegularFile;

// One entry of a zip archive as its central directory describes it.
struct ZipEntry {
    std::uint64_t index = 0;
    QByteArray name;             // byte for byte, as stored: the game compares these bytes
    std::uint16_t method = 0;    // 0 stored, 8 deflate, anything else the game cannot read
    bool encrypted = false;
    std::uint64_t size = 0;      // uncompressed
    std::uint64_t compressedSize = 0;
    std::uint32_t crc = 0;
};

// A zip archive opened for reading, through libzip: its directory, and the
// bytes of an entry when they are asked for. Nothing else is read.
class ZipArchive {
public:
    // Nothing when the path is no regular file that may be read (see
    // RegularFile), or cannot be opened as an archive; `error` then says
    // why, in libzip's words for the latter.
    static std::optional<ZipArchive> open(const QString& path, QString* error = nullptr);
    // The same on a file already open, which is left open.
    static std::optional<ZipArchive> open(const RegularFile& file, QString* error = nullptr);

    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;
    ~ZipArchive();

    const std::vector<ZipEntry>& entries() const { return directory; }
    // The entry's bytes, uncompressed; nothing when it cannot be read or is
    // larger than `limit`, so that a corrupt size cannot exhaust memory.
    std::optional<QByteArray> read(const ZipEntry& entry, std::uint64_t limit) const;

private:
    struct Closer {
        void operator()(zip* archive) const;
    };
    ZipArchive(zip* archive, std::vector<ZipEntry> directory);

    std::unique_ptr<zip, Closer> archive;
    std::vector<ZipEntry> directory;
};

} // namespace platform
