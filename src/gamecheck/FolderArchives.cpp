// SPDX-License-Identifier: GPL-3.0-or-later
// The folder's archives: those the game cannot read, what each holds that
// replaces the game's own files, and more pk3s than a release loads.
#include "game/Limits.h"
#include "gamecheck/ArchiveRules.h"
#include "gamecheck/FolderContext.h"

namespace gamecheck {

namespace {

// More pk3 files than the game lists, in any folder.
void checkPakListsCut(FolderContext& context)
{
    for (int folder = 0; folder < int(context.folder.searchPath().directories.size()); ++folder) {
        if (!context.folder.pakListCut(folder))
            continue;
        Place{QFile::encodeName(context.folder.searchPath().directories[std::size_t(folder)].path)}.add(
            context.findings, Severity::Error, {},
            QStringLiteral("The folder holds more than 4,095 pk3 files. The game takes the first 4,095 its file "
                           "system lists and ignores the rest."));
    }
}

// The pk3s id's 1.32 release leaves out: past the first 1,024 of their
// folder in the order the file system lists them, whatever their names.
void checkPaksPastId132(FolderContext& context)
{
    for (const game::Source& source : context.folder.sources()) {
        if (source.loose() || source.listedAt < game::mostPaksOfId132 || !context.wanted(source.path))
            continue;
        Place{source.path}.add(context.findings, Severity::Error, {},
                               QStringLiteral("id's 1.32 release never reads this pk3: it takes the first 1,024 pk3 "
                                              "files of its folder in the order the file system lists them, not by "
                                              "name, and this one comes later. ioquake3 and Quake3e read it."));
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
        if (source.loose() || !context.wanted(source.path))
            continue;
        Findings entries;
        checkArchiveEntries(*source.archive, QFile::decodeName(source.path),
                            {source.gamesOwn, true, &context.folder.game()}, entries);
        moveFindingsOf(source.path, entries, context.findings);
    }
    if (context.options.only.isEmpty())
        checkPakListsCut(context);
    checkPaksPastId132(context);
}

} // namespace gamecheck
