// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/EngineOrder.h"

#include "game/Limits.h"

#include <algorithm>

namespace game {

namespace {

int& rankIn(Source& source, Engine engine)
{
    return source.rank[std::size_t(engine)];
}

void rankIoquake3(std::vector<Source>& sources)
{
    for (std::size_t at = 0; at < sources.size(); ++at)
        rankIn(sources[at], Engine::Ioquake3) = int(at);
}

void rankId132(std::vector<Source>& sources)
{
    int place = 0;
    int folders = 0;
    for (const Source& source : sources)
        folders = std::max(folders, source.folder + 1);
    for (int folder = 0; folder < folders; ++folder) {
        for (const bool looseFiles : {false, true}) {
            for (Source& source : sources) {
                if (source.folder == folder && source.loose() == looseFiles && !source.pakFolder)
                    rankIn(source, Engine::Id132) = place++;
            }
        }
    }
    for (Source& source : sources) {
        if (source.pakFolder || (!source.loose() && source.listedAt >= mostPaksOfId132))
            rankIn(source, Engine::Id132) = -1;
    }
}

void rankQuake3e(std::vector<Source>& sources)
{
    int place = 0;
    for (const bool looseFiles : {false, true}) {
        for (Source& source : sources) {
            if ((source.loose() && !source.pakFolder) == looseFiles)
                rankIn(source, Engine::Quake3e) = place++;
        }
    }
}

} // namespace

void rankByEngine(std::vector<Source>& sources)
{
    rankIoquake3(sources);
    rankId132(sources);
    rankQuake3e(sources);
}

std::vector<std::uint32_t> searchOrder(const std::vector<Source>& sources, Engine engine)
{
    std::vector<std::uint32_t> order;
    for (std::uint32_t at = 0; at < std::uint32_t(sources.size()); ++at) {
        if (sources[at].rank[std::size_t(engine)] >= 0)
            order.push_back(at);
    }
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return sources[a].rank[std::size_t(engine)] < sources[b].rank[std::size_t(engine)];
    });
    return order;
}

} // namespace game
