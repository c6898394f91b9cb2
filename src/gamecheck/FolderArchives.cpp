// SPDX-License-Identifier: GPL-3.0-or-later
// The folder's archives: those the game cannot read, what each holds that
// replaces the game's own files, and more pk3s than a release loads.
#include "gamecheck/ArchiveRules.h"
#include "gamecheck/FolderContext.h"

#include <QMap>

namespace gamecheck {

namespace {

// The id 1.32 release loads at most this many pk3s of one folder.
constexpr qsizetype mostPaksOfId132 = 1024;

void checkPakCounts(FolderContext& context)
{
    QMap<int, qsizetype> paksPerFolder;
    for (const game::Source& source : context.folder.sources()) {
        if (!source.loose())
            ++paksPerFolder[source.folder];
    }
    for (auto count = paksPerFolder.cbegin(); count != paksPerFolder.cend(); ++count) {
        const QString path = context.folder.searchPath().directories[std::size_t(count.key())].path;
        if (context.folder.pakListCut(count.key())) {
            Place{path, {}}.add(context.findings, Severity::Error, {},
                                QStringLiteral("The folder holds more than 4,095 pk3 files. The game takes the first "
                                               "4,095 its file system lists and ignores the rest."));
        } else if (count.value() > mostPaksOfId132) {
            Place{path, {}}.add(context.findings, Severity::Error, {},
                                QStringLiteral("The folder holds %1 pk3 files. id's 1.32 release loads only the first "
                                               "1,024 its file system lists and ignores the rest; ioquake3 and "
                                               "Quake3e load them all.")
                                    .arg(number(qulonglong(count.value()))));
        }
    }
}

} // namespace

void checkArchivesOfFolder(FolderContext& context)
{
    for (const game::GameFolder::Skipped& skipped : context.folder.skipped()) {
        if (!context.wanted(skipped.path))
            continue;
        Place{skipped.path, {}}.add(context.findings, Severity::Error, {},
                                    QStringLiteral("The game cannot read this file as an archive (%1), so it skips it "
                                                   "without a word.")
                                        .arg(skipped.reason));
    }
    for (const game::Source& source : context.folder.sources()) {
        if (!source.loose() && context.wanted(source.path))
            checkArchiveEntries(*source.archive, source.path, {source.gamesOwn, true, &context.folder.game()},
                                context.findings);
    }
    if (context.options.only.isEmpty())
        checkPakCounts(context);
}

} // namespace gamecheck
