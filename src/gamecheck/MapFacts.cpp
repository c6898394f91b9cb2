// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/MapFacts.h"

#include "game/MapChecksum.h"
#include "game/MapEntities.h"

namespace gamecheck {

namespace {

// How the cache names each fact of a part of a file; a map that cannot
// start is remembered by a value no pool reaches.
QByteArray entitiesPart(const QByteArray& part, bool sizeHeader)
{
    return part + (sizeHeader ? " entities with sizes" : " entities");
}

constexpr std::uint32_t cannotStart = 0xFFFFFFFF;

std::optional<std::uint64_t> fromCache(std::uint32_t value)
{
    return value == cannotStart ? std::nullopt : std::optional<std::uint64_t>(value);
}

std::uint32_t forCache(const std::optional<std::uint64_t>& bytes)
{
    return bytes ? std::uint32_t(std::min<std::uint64_t>(*bytes, cannotStart - 1)) : cannotStart;
}

} // namespace

std::optional<MapFacts> MapFactsReader::remembered(game::FileCopy bsp) const
{
    const std::optional<platform::FileIdentity> identity = folder.identityOf(bsp);
    const std::optional<QByteArray> part = folder.partOf(bsp);
    if (!cache || !identity || !part)
        return std::nullopt;
    const std::optional<std::uint32_t> checksum = cache->find(*identity, *part);
    const std::optional<std::uint32_t> entities = cache->find(*identity, entitiesPart(*part, false));
    const std::optional<std::uint32_t> withHeader = cache->find(*identity, entitiesPart(*part, true));
    if (!checksum || !entities || !withHeader)
        return std::nullopt;
    return MapFacts{checksum, fromCache(*entities), fromCache(*withHeader)};
}

MapFacts MapFactsReader::of(game::FileCopy bsp) const
{
    if (const auto found = known.constFind(bsp); found != known.cend())
        return *found;
    if (const std::optional<MapFacts> facts = remembered(bsp))
        return *known.insert(bsp, *facts);
    game::MapChecksum checksum;
    game::MapEntities entities;
    const bool read = folder.stream(bsp, [&](const char* bytes, std::size_t count) {
        checksum.add(bytes, count);
        entities.add(bytes, count);
    });
    MapFacts facts;
    if (read)
        facts = {checksum.value(), entities.poolBytes(false), entities.poolBytes(true)};
    const std::optional<platform::FileIdentity> identity = folder.identityOf(bsp);
    const std::optional<QByteArray> part = folder.partOf(bsp);
    if (read && cache && identity && part) {
        cache->remember(*identity, *part, *facts.checksum);
        cache->remember(*identity, entitiesPart(*part, false), forCache(facts.entities));
        cache->remember(*identity, entitiesPart(*part, true), forCache(facts.entitiesWithHeader));
    }
    return *known.insert(bsp, facts);
}

} // namespace gamecheck
