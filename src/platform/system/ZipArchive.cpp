// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/ZipArchive.h"

#include "platform/system/LibZip.h"
#include "platform/system/RegularFile.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

// Loaded by the time an archive is open.
const LibZip& loaded()
{
    return *libZip();
}

} // namespace

void ZipArchive::Closer::operator()(zip* archive) const
{
    loaded().zip_discard(archive); // opened read-only: nothing to write back
}

ZipArchive::ZipArchive(zip* opened, std::vector<ZipEntry> entries)
    : archive(opened), directory(std::move(entries))
{
}

ZipArchive::ZipArchive(ZipArchive&&) noexcept = default;
ZipArchive& ZipArchive::operator=(ZipArchive&&) noexcept = default;
ZipArchive::~ZipArchive() = default;

std::optional<ZipArchive> ZipArchive::open(const QString& path, QString* error)
{
    const std::optional<RegularFile> file = RegularFile::open(path, error);
    if (!file)
        return std::nullopt;
    return open(*file, error);
}

std::optional<ZipArchive> ZipArchive::open(const RegularFile& file, QString* error)
{
    const LibZip* z = libZip(error);
    if (!z)
        return std::nullopt;
    int code = ZIP_ER_OK;
    // libzip closes the descriptor it is given once it has the archive open.
    const int own = ::fcntl(file.descriptor(), F_DUPFD_CLOEXEC, 0);
    zip* opened = own < 0 ? nullptr : z->zip_fdopen(own, ZIP_RDONLY, &code);
    if (!opened) {
        if (own >= 0)
            ::close(own);
        else
            code = ZIP_ER_OPEN;
        if (error) {
            zip_error_t reason;
            z->zip_error_init_with_code(&reason, code);
            *error = QString::fromLocal8Bit(z->zip_error_strerror(&reason));
            z->zip_error_fini(&reason);
        }
        return std::nullopt;
    }
    std::unique_ptr<zip, Closer> owned(opened);
    const zip_int64_t count = z->zip_get_num_entries(opened, 0);
    std::vector<ZipEntry> entries;
    entries.reserve(std::size_t(count > 0 ? count : 0));
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        const char* name = z->zip_get_name(opened, zip_uint64_t(index), ZIP_FL_ENC_RAW);
        if (!name || z->zip_stat_index(opened, zip_uint64_t(index), ZIP_FL_ENC_RAW, &stat) != 0) {
            if (error)
                *error = QString::fromLocal8Bit(z->zip_strerror(opened));
            return std::nullopt;
        }
        entries.push_back({zip_uint64_t(index), QByteArray(name), stat.comp_method,
                           stat.encryption_method != ZIP_EM_NONE, stat.size, stat.comp_size, stat.crc});
    }
    return ZipArchive(owned.release(), std::move(entries));
}

std::optional<QByteArray> ZipArchive::read(const ZipEntry& entry, std::uint64_t limit) const
{
    if (entry.size > limit)
        return std::nullopt;
    zip_file_t* file = loaded().zip_fopen_index(archive.get(), entry.index, 0);
    if (!file)
        return std::nullopt;
    QByteArray bytes(qsizetype(entry.size), Qt::Uninitialized);
    const zip_int64_t got = loaded().zip_fread(file, bytes.data(), entry.size);
    // Reading one byte past the stated size finds an entry that lies about it.
    char extra;
    const bool whole = got == zip_int64_t(entry.size) && loaded().zip_fread(file, &extra, 1) == 0;
    const bool closed = loaded().zip_fclose(file) == 0; // checks the CRC
    if (!whole || !closed)
        return std::nullopt;
    return bytes;
}

} // namespace platform
