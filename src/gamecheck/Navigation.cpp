// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/Navigation.h"

#include "game/InfoString.h"
#include "game/MapChecksum.h"

namespace gamecheck {

bool listsBots(const game::InfoBlock& arena)
{
    const std::optional<QByteArray> list = game::infoValue(arena, "bots");
    return list && !list->trimmed().isEmpty() && *list != "<NULL>";
}

QString noNavigationForBots(const char* holder, const QByteArray& map)
{
    return QStringLiteral("The %1 holds no maps/%2.aas, so the bots this arena lists never join: bots find their "
                          "way by that file.")
        .arg(QLatin1String(holder), shownName(map));
}

QString noNavigationForMap(const char* holder, const QByteArray& map)
{
    return QStringLiteral("The %1 holds no maps/%2.aas. Bots find their way by that file, so none can play this map.")
        .arg(QLatin1String(holder), shownName(map));
}

QString navigationHeaderProblem(const QByteArray& map, const QByteArray& start)
{
    const game::AasHeader header = game::readAasHeader(start);
    const QString refused = QStringLiteral("The game refuses it, so bots cannot play this map.");
    switch (header.problem) {
    case game::AasHeader::Problem::NotAas:
    case game::AasHeader::Problem::CutShort:
        return QStringLiteral("maps/%1.aas is not a bot navigation file the game can read. %2")
            .arg(shownName(map), refused);
    case game::AasHeader::Problem::WrongVersion:
        return QStringLiteral("maps/%1.aas is of version %2, where the game reads 4 and 5 only. %3")
            .arg(shownName(map))
            .arg(header.version)
            .arg(refused);
    case game::AasHeader::Problem::None:
        break;
    }
    return {};
}

void checkNavigationOfArenas(const game::ArchiveView& archive, const QByteArray& arenaText, const Place& place,
                             Findings& findings)
{
    for (const game::InfoBlock& arena : game::readInfoFile(arenaText).blocks) {
        const std::optional<QByteArray> map = game::infoValue(arena, "map");
        if (map && listsBots(arena) && archive.find("maps/" + *map + ".bsp") && !archive.find("maps/" + *map + ".aas"))
            place.add(findings, Severity::Error, "bots", noNavigationForBots("archive", *map));
    }
}

} // namespace gamecheck
