// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/ZipArchive.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace editor {

// Whether the archiver's result is what the route asked for: an archive
// that opens, holds the entry exactly once, under exactly that name and with
// exactly those bytes, and holds every other entry of the archive it was
// made from (`before`, empty for a new archive), unchanged, but for
// `replacedEntry`, which it no longer holds. Returns what is wrong, in a
// few words for the user; empty when nothing is.
QString problemWithUpdatedArchive(const std::vector<platform::ZipEntry>& before, const QString& updatedPath,
                                  const QByteArray& entryName, const QByteArray& entryBytes,
                                  const QByteArray& replacedEntry = {});

} // namespace editor
