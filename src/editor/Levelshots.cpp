// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/Levelshots.h"

#include "game/ArchiveView.h"
#include "game/EntryNames.h"
#include "game/Levelshot.h"
#include "game/LevelshotPicture.h"

#include <QFile>
#include <QHash>

namespace editor {

namespace {

// A 1,024 pixel square at 32 bits, uncompressed, with room for its header:
// more than a levelshot needs, and little enough to read while the chooser
// waits.
constexpr std::uint64_t largestLevelshotRead = 1024 * 1024 * 4 + 1024;

QImage levelshotOf(const game::ArchiveView& archive, const QByteArray& map)
{
    for (const QByteArray& name : game::levelshotNames(map)) {
        const game::ArchiveEntry* entry = archive.find(name);
        if (!entry)
            continue;
        // The menu loads the first it finds, or none.
        const std::optional<QByteArray> bytes = archive.read(*entry, largestLevelshotRead);
        return bytes ? game::levelshotPicture(name, *bytes, game::levelshotSizeInMenu) : QImage();
    }
    return {};
}

} // namespace

std::vector<QImage> levelshotsOf(const QString& archivePath, const QByteArrayList& maps)
{
    std::vector<QImage> pictures(std::size_t(maps.size()));
    const std::optional<game::ArchiveView> archive = game::ArchiveView::open(QFile::encodeName(archivePath));
    if (!archive)
        return pictures;
    // Several arenas may list one map: its picture is read once.
    QHash<QByteArray, QImage> read;
    for (qsizetype at = 0; at < maps.size(); ++at) {
        const QByteArray key = game::entryKey(maps[at]);
        if (!read.contains(key))
            read.insert(key, levelshotOf(*archive, maps[at]));
        pictures[std::size_t(at)] = read.value(key);
    }
    return pictures;
}

} // namespace editor
