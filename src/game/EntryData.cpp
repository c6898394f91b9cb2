// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/EntryData.h"

#include "platform/system/RegularFile.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <optional>

namespace game {

namespace {

constexpr std::uint16_t stored = 0;
constexpr std::uint16_t deflated = 8;

// The compressed data as the game takes it in: in pieces of up to 16 kB,
// no further than the stated compressed size, each of which the file must
// give whole, or the game stops reading there.
class CompressedPieces {
public:
    CompressedPieces(const platform::RegularFile& file, const DirectoryRecord& record)
        : file(file), at(record.dataStart), left(record.compressedSize)
    {
    }

    bool done() const { return left == 0; }

    // The next piece, or as much of it as `wanted` asks; nothing when the
    // file cannot give the whole piece.
    std::optional<QByteArray> next(std::uint64_t wanted = pieceSize)
    {
        const std::uint64_t piece = std::min(left, pieceSize);
        if (piece == 0 || at > file.size() || file.size() - at < piece)
            return std::nullopt;
        const std::uint64_t count = std::min(piece, wanted);
        std::optional<QByteArray> bytes = file.readAt(at, count);
        if (!bytes || std::uint64_t(bytes->size()) != count)
            return std::nullopt;
        at += piece;
        left -= piece;
        return bytes;
    }

private:
    static constexpr std::uint64_t pieceSize = 16384;
    const platform::RegularFile& file;
    std::uint64_t at;
    std::uint64_t left;
};

// A stored entry: its data as it lies, as far as the compressed size goes.
std::uint64_t copyStored(CompressedPieces& input, std::uint64_t wanted,
                         const std::function<void(const char*, std::size_t)>& sink)
{
    std::uint64_t given = 0;
    while (given < wanted && !input.done()) {
        const std::optional<QByteArray> piece = input.next(wanted - given);
        if (!piece)
            break;
        sink(piece->constData(), std::size_t(piece->size()));
        given += std::uint64_t(piece->size());
    }
    return given;
}

// A deflated entry, inflated raw as the game does: it stops at the end of
// the stream, at the first damage, or when the input runs out.
std::uint64_t inflateDeflated(CompressedPieces& input, std::uint64_t wanted,
                              const std::function<void(const char*, std::size_t)>& sink)
{
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return 0;
    std::array<Bytef, 16384> out;
    QByteArray piece;
    std::uint64_t given = 0;
    while (given < wanted) {
        if (stream.avail_in == 0 && !input.done()) {
            std::optional<QByteArray> next = input.next();
            if (!next)
                break;
            piece = std::move(*next);
            stream.next_in = reinterpret_cast<Bytef*>(piece.data());
            stream.avail_in = uInt(piece.size());
        }
        const uInt room = uInt(std::min<std::uint64_t>(out.size(), wanted - given));
        stream.next_out = out.data();
        stream.avail_out = room;
        int status = inflate(&stream, Z_SYNC_FLUSH);
        if (status >= 0 && stream.msg)
            status = Z_DATA_ERROR;
        const std::size_t produced = room - stream.avail_out;
        sink(reinterpret_cast<const char*>(out.data()), produced);
        given += produced;
        if (status != Z_OK)
            break;
    }
    inflateEnd(&stream);
    return given;
}

} // namespace

EntryRead readEntryData(const platform::RegularFile& file, const DirectoryRecord& record, std::uint64_t count,
                        const std::function<void(const char*, std::size_t)>& sink)
{
    if ((record.method != stored && record.method != deflated) || !record.localHeaderAgrees)
        return EntryRead::Nothing;
    const std::uint64_t wanted = std::min<std::uint64_t>(count, record.size);
    CompressedPieces input(file, record);
    const std::uint64_t given =
        record.method == stored ? copyStored(input, wanted, sink) : inflateDeflated(input, wanted, sink);
    return given == wanted ? EntryRead::Whole : EntryRead::Part;
}

} // namespace game
