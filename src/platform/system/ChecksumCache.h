// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/FileIdentity.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

#include <cstdint>
#include <optional>

namespace platform {

// Checksums that are slow to take, of files or of parts of them, kept in a
// file of their own for as long as the file they were taken of is
// unchanged. A part is named by the caller ("entry 3", say) and must name
// the same bytes for as long as the file is unchanged.
class ChecksumCache {
public:
    // The cache kept in `path`; empty for one kept in memory only.
    explicit ChecksumCache(QString path = QString());

    // The user's own: $XDG_CACHE_HOME/mapwright/map-checksums.
    static QString userCachePath();

    std::optional<std::uint32_t> find(const FileIdentity& file, const QByteArray& part) const;
    void remember(const FileIdentity& file, const QByteArray& part, std::uint32_t checksum);

    // Writes the cache back if anything new was remembered, replacing the
    // file whole, and only if it is unchanged meanwhile; false when it could
    // not be written. A link or anything but a plain file in its place is
    // left as it is, and nothing is written.
    bool save();

private:
    static QByteArray keyOf(const FileIdentity& file, const QByteArray& part);

    QString path;
    QHash<QByteArray, std::uint32_t> checksums;
    mutable QSet<QByteArray> used; // found or remembered since the cache was read
    bool changed = false;
};

} // namespace platform
