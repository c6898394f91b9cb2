// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayList>
#include <QString>

namespace game {

// The few facts about an archive's zip format that decide whether the game
// can read it at all and that the zip library does not report.
struct ZipFormatFacts {
    // The archive uses Zip64 records: the game cannot read its directory.
    bool zip64 = false;
    // Entries whose local header disagrees with the central directory on
    // the name, the method, encryption or, where the local header holds
    // them, the CRC and sizes. The game reads these from the local header.
    QByteArrayList disagreeing;
};

// Reads only the end record, the central directory and each entry's local
// header, never the entries' data.
ZipFormatFacts readZipFormatFacts(const QString& archivePath);

} // namespace game
