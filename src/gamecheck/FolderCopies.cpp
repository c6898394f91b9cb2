// SPDX-License-Identifier: GPL-3.0-or-later
// Copies of one file in several places: the copy each engine reads, the
// copies none reads, and pk3s that hide a newer release of a map.
#include "gamecheck/FolderContext.h"
#include "platform/system/FolderFiles.h"

#include <QMap>

namespace gamecheck {

using game::Engine;
using game::FileCopy;

namespace {

// "x reads", "x and y read".
QString reading(const QStringList& names)
{
    return spokenList(names) + (names.size() == 1 ? QStringLiteral(" reads") : QStringLiteral(" read"));
}

// A pk3's name without ".pk3", in lower case, split into what comes before
// a trailing number and the number: "mymap_v10" is "mymap_v" and 10.
struct NameParts {
    QByteArray stem;
    QByteArray base;
    std::optional<qulonglong> trailing;
};

NameParts partsOf(const QByteArray& pakName)
{
    NameParts parts;
    parts.stem = pakName.chopped(4).toLower();
    qsizetype digits = parts.stem.size();
    while (digits > 0 && parts.stem[digits - 1] >= '0' && parts.stem[digits - 1] <= '9')
        --digits;
    parts.base = parts.stem.left(digits);
    if (digits < parts.stem.size() && parts.stem.size() - digits < 10)
        parts.trailing = parts.stem.mid(digits).toULongLong();
    return parts;
}

// Whether one pk3's name makes it a later release of the other's: the
// other's name with something added ("mymap-v2" after "mymap"), or the
// same name with a higher number ("mymap_v10" after "mymap_v2").
bool newerByName(const QByteArray& one, const QByteArray& other)
{
    const NameParts a = partsOf(one), b = partsOf(other);
    if (a.trailing && b.trailing && a.base == b.base)
        return *a.trailing > *b.trailing;
    return a.stem.size() > b.stem.size() && a.stem.startsWith(b.stem);
}

void reportHiddenCopy(FolderContext& context, const QByteArray& request, FileCopy copy,
                      const std::array<std::optional<FileCopy>, 3>& winners)
{
    QStringList readers, others;
    std::optional<FileCopy> other;
    for (const Engine engine : game::allEngines) {
        const std::optional<FileCopy>& winner = winners[std::size_t(engine)];
        if (winner == copy) {
            readers << QString::fromLatin1(game::engineName(engine));
        } else if (winner && context.differ(copy, *winner)) {
            others << QString::fromLatin1(game::engineName(engine));
            other = other ? other : winner;
        }
    }
    if (!other)
        return;
    if (!readers.isEmpty()) {
        // id's 1.32 release reads no pk3dir; otherwise the engines differ
        // over loose files.
        const bool inPakFolder = std::any_of(winners.begin(), winners.end(), [&](const std::optional<FileCopy>& winner) {
            return winner && context.folder.sourceOf(*winner).pakFolder;
        });
        const QString why = inPakFolder ? QStringLiteral("as id's 1.32 release reads no pk3dir folder")
                                        : QStringLiteral("as ioquake3 searches a folder's loose files before its pk3s "
                                                         "and the others after them");
        context.placeOf(copy).add(context.findings, Severity::Error, {},
                                  QStringLiteral("%1 this copy, but %2 %3 instead, %4. The two differ, so the game is "
                                                 "not the same on every engine.")
                                      .arg(reading(readers), reading(others), context.describeEntry(*other, copy), why));
        return;
    }
    const FileCopy ioquake3 = *winners[std::size_t(Engine::Ioquake3)];
    context.placeOf(copy).add(context.findings, Severity::Error, {},
                              QStringLiteral("The game reads %1 from %2 instead, %3, so this copy, which differs, is "
                                             "never read.")
                                  .arg(shownName(request), context.describe(ioquake3), context.whyFirst(ioquake3, copy)));
}

} // namespace

// Copies of an arena or bot file that the game never reads, or reads in
// some engines only.
void checkHiddenCopies(FolderContext& context)
{
    QSet<FileCopy> reported;
    for (const QByteArray& request : context.requests()) {
        std::array<std::optional<FileCopy>, 3> winners;
        for (const Engine engine : game::allEngines)
            winners[std::size_t(engine)] = context.folder.find(request, engine);
        if (!winners[std::size_t(Engine::Ioquake3)])
            continue;
        for (const FileCopy& copy : context.folder.copiesOf(request)) {
            if (reported.contains(copy) || !context.wanted(copy))
                continue;
            const std::size_t before = context.findings.size();
            reportHiddenCopy(context, request, copy, winners);
            if (context.findings.size() > before)
                reported.insert(copy);
        }
    }
}

// Two pk3s with the same map: wherever both hold a file of the same name,
// the one that sorts later wins, which a re-release must do.
void checkShadowedPacks(FolderContext& context)
{
    const game::GameFolder& folder = context.folder;
    struct Pair {
        int shared = 0;
        bool differs = false;
        std::optional<FileCopy> map; // the losing pk3's copy of the first map, by name, both hold
    };
    // By name, so that the map a finding names is the same on every run.
    QByteArrayList names = folder.index().keys();
    std::sort(names.begin(), names.end());
    QMap<std::pair<std::uint32_t, std::uint32_t>, Pair> pairs;
    for (const QByteArray& name : names) {
        std::optional<FileCopy> winner;
        for (const FileCopy& copy : folder.index().value(name)) {
            if (folder.sourceOf(copy).loose())
                continue;
            if (!winner) {
                winner = copy;
                continue;
            }
            if (copy.source == winner->source)
                continue;
            Pair& pair = pairs[{copy.source, winner->source}];
            ++pair.shared;
            const bool different = context.differ(copy, *winner);
            pair.differs = pair.differs || different;
            if (different && !pair.map && name.startsWith("maps/") && name.endsWith(".bsp") && name.count('/') == 1)
                pair.map = copy;
        }
    }
    for (auto pair = pairs.cbegin(); pair != pairs.cend(); ++pair) {
        if (!pair->map || !context.wanted(*pair->map))
            continue;
        const game::Source& loser = folder.sources()[pair.key().first];
        const game::Source& winner = folder.sources()[pair.key().second];
        const bool isNew = !context.options.newFile.isEmpty()
            && platform::absolutePath(loser.path) == platform::absolutePath(context.options.newFile);
        const bool release = newerByName(loser.name, winner.name);
        QString sentence = QStringLiteral("%1, which sorts after this archive, also holds %2: wherever the two hold a "
                                          "file of the same name (%3 in all), the game uses %1's.")
                               .arg(shownName(winner.name), shownName(folder.nameOf(*pair->map)))
                               .arg(pair->shared);
        if (release) {
            sentence += QStringLiteral(" By the names this archive is the newer release, but it sorts first: '-' and "
                                       "'.' sort before digits, letters and '_'.");
        }
        context.placeOf(*pair->map).add(context.findings, release && !isNew ? Severity::Error : Severity::Advice, {},
                                        sentence);
    }
}

} // namespace gamecheck
