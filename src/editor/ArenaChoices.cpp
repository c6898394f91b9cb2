// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ArenaChoices.h"

#include "editor/Windows1252.h"
#include "gamecheck/ShownName.h"

#include <QSet>

namespace editor {

namespace {

// A map's name as the game compares it (Q_stricmp): ASCII letters in any case.
QByteArray comparedMap(const QByteArray& map)
{
    QByteArray folded = map;
    for (char& c : folded)
        c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    return folded;
}

} // namespace

std::vector<ArenaChoice> arenaChoices(const gamecheck::FileToEdit& file, const GameOffer& offer)
{
    std::vector<ArenaChoice> choices;
    QSet<QByteArray> listedMaps;
    for (std::size_t f = 0; f < file.arenaFiles.size(); ++f) {
        const gamecheck::ArenaFile& arenaFile = file.arenaFiles[f];
        if (arenaFile.tooLarge)
            continue;
        for (std::size_t b = 0; b < arenaFile.reading.blocks.size(); ++b) {
            ArenaChoice& choice = choices.emplace_back(ArenaChoice{f, int(b), arenaFields(arenaFile.reading.blocks[b], offer)});
            listedMaps.insert(comparedMap(toWindows1252(choice.fields.map)));
        }
    }
    for (const QByteArray& map : file.maps) {
        if (listedMaps.contains(comparedMap(map)))
            continue;
        ArenaChoice& choice = choices.emplace_back();
        choice.fields.map = fromWindows1252(map);
        choice.fields.types.assign(offer.game->types.size(), false);
    }
    return choices;
}

QString placeOf(const gamecheck::FileToEdit& file, const ArenaChoice& choice)
{
    if (choice.isNewArena())
        return QStringLiteral("maps/%1.bsp").arg(gamecheck::withoutControls(choice.fields.map));
    const gamecheck::ArenaFile& arenaFile = file.arenaFiles[choice.file];
    const std::size_t blocks = arenaFile.reading.blocks.size();
    QStringList parts;
    if (file.archive)
        parts << gamecheck::shownName(arenaFile.entry);
    if (blocks > 1)
        parts << QStringLiteral("arena %1 of %2").arg(choice.block + 1).arg(blocks);
    return parts.join(QStringLiteral(", "));
}

QString choiceLine(const gamecheck::FileToEdit& file, const ArenaChoice& choice)
{
    const QString map = choice.fields.map.isEmpty() ? QStringLiteral("(no map)") : gamecheck::withoutControls(choice.fields.map);
    const QString title = choice.isNewArena() ? QStringLiteral("(no arena yet)") : gamecheck::withoutControls(choice.fields.longname);
    QString place = placeOf(file, choice);
    if (place.isEmpty())
        place = QStringLiteral("arena 1 of 1");
    return QStringLiteral("%1 \u2014 %2 \u2014 %3").arg(map, title, place);
}

} // namespace editor
