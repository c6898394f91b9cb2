// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/ChecksumCache.h"

#include "platform/system/NewFile.h"
#include "platform/system/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>

namespace platform {

namespace {

// A cache no larger than this is read; past it, it starts afresh, and it
// is never written larger, so that it stays quick to read at every check.
constexpr std::uint64_t largestCache = 4 * 1024 * 1024;

} // namespace

ChecksumCache::ChecksumCache(QString file) : path(std::move(file))
{
    if (path.isEmpty())
        return;
    const std::optional<RegularFile> cache = RegularFile::open(path);
    const std::optional<QByteArray> bytes =
        cache && cache->size() <= largestCache ? cache->readAt(0, largestCache) : std::nullopt;
    if (!bytes)
        return;
    // One line per checksum: the key, a space, the checksum in hex.
    for (const QByteArray& line : bytes->split('\n')) {
        const qsizetype space = line.lastIndexOf(' ');
        bool number = false;
        const std::uint32_t checksum = line.mid(space + 1).toUInt(&number, 16);
        if (space > 0 && number)
            checksums.insert(line.left(space), checksum);
    }
}

QString ChecksumCache::userCachePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
        .filePath(QStringLiteral("mapwright/map-checksums"));
}

QByteArray ChecksumCache::keyOf(const FileIdentity& file, const QByteArray& part)
{
    QByteArray key;
    const auto nanoseconds = [](const timespec& time) { return std::int64_t(time.tv_sec) * 1000000000 + time.tv_nsec; };
    for (const std::int64_t value : {std::int64_t(file.device), std::int64_t(file.inode), std::int64_t(file.size),
                                     nanoseconds(file.modified), nanoseconds(file.changed)})
        key += QByteArray::number(qlonglong(value)) + ' ';
    // A part's name is one word of the key.
    return key + QByteArray(part).replace(' ', '_').replace('\n', '_');
}

std::optional<std::uint32_t> ChecksumCache::find(const FileIdentity& file, const QByteArray& part) const
{
    const QByteArray key = keyOf(file, part);
    const auto found = checksums.constFind(key);
    if (found == checksums.cend())
        return std::nullopt;
    used.insert(key);
    return *found;
}

void ChecksumCache::remember(const FileIdentity& file, const QByteArray& part, std::uint32_t checksum)
{
    const QByteArray key = keyOf(file, part);
    checksums.insert(key, checksum);
    used.insert(key);
    changed = true;
}

bool ChecksumCache::save()
{
    if (path.isEmpty() || !changed)
        return true;
    // What this run used comes first, so that it is kept when the rest
    // no longer fits.
    QByteArray text;
    for (const bool wasUsed : {true, false}) {
        for (auto checksum = checksums.cbegin(); checksum != checksums.cend(); ++checksum) {
            if (used.contains(checksum.key()) != wasUsed)
                continue;
            const QByteArray line = checksum.key() + ' ' + QByteArray::number(*checksum, 16) + '\n';
            if (std::uint64_t(text.size() + line.size()) > largestCache)
                break;
            text += line;
        }
    }
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    // A link in the cache's place is the user's, not the program's: one to
    // /dev/null is the usual way to keep no cache, and one to a file of the
    // user's is no licence to overwrite that file. It is neither written
    // through nor replaced, and the same goes for anything else there that
    // is not a plain file.
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode))
        return true;
    NewFile file(path);
    if (!file.isValid() || file.commit(text, identityAt(path), {}).status != MoveOutcome::Status::Moved)
        return false;
    changed = false;
    return true;
}

} // namespace platform
