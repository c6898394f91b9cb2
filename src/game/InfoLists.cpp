// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/InfoLists.h"

#include "game/InfoString.h"
#include "game/Limits.h"

#include <QHash>

namespace game {

namespace {

// Each info is kept with room for the arena number the loaders add, its
// terminating NUL, and rounded up to 32 bytes.
std::uint64_t allocation(const InfoBlock& block)
{
    return std::uint64_t(fitInfoString(block, GameCode::Ioquake3Native).held) + 5 + 4 + 1;
}

std::uint64_t rounded(std::uint64_t size)
{
    return (size + 31) & ~std::uint64_t(31);
}

// Reads one file as the loader does, keeping what fits.
void readListedFile(const GameFolder& folder, const ListLoader& loader, std::uint64_t fileLimit, InfoList& list,
                    ListedFile& file)
{
    // The game refuses to open a name with ".." or "::" in it, though it lists it.
    file.copy = folder.find(file.request, loader.order);
    if (file.request.contains("..") || file.request.contains("::") || !file.copy) {
        file.fate = ListedFile::Fate::NotFound;
        return;
    }
    const CopyBytes read = folder.read(*file.copy, fileLimit - 1);
    file.size = read.size;
    if (read.size >= fileLimit) {
        file.fate = ListedFile::Fate::TooLarge;
        return;
    }
    if (!read.bytes) {
        file.fate = ListedFile::Fate::Unreadable;
        return;
    }
    file.reading = readInfoFile(*read.bytes);
    const std::size_t index = list.files.size();
    for (std::size_t block = 0; block < file.reading.blocks.size(); ++block) {
        // Past the last info the loader takes, it leaves the file.
        if (list.infos.size() == std::size_t(loader.most)) {
            file.pastMost = int(file.reading.blocks.size() - block);
            break;
        }
        const std::uint64_t size = allocation(file.reading.blocks[block]);
        if (list.poolUsed + size > loader.pool) {
            list.poolExhausted = true;
            ++file.pastPool;
            continue;
        }
        list.poolUsed += rounded(size);
        list.infos.push_back({index, block, true});
        ++file.kept;
    }
}

InfoList loadList(const GameFolder& folder, const ListLoader& loader, std::uint64_t poolUsed, const QByteArray& listFile,
                  const QByteArray& extension, std::uint64_t fileLimit)
{
    InfoList list;
    list.poolUsed = poolUsed;
    ListedFile first;
    first.request = listFile;
    readListedFile(folder, loader, fileLimit, list, first);
    list.files.push_back(std::move(first));
    qsizetype used = 0;
    bool full = false;
    for (const QByteArray& name : folder.listFiles("scripts", extension, loader.order)) {
        ListedFile file;
        file.request = "scripts/" + name;
        // At the first name that does not fit, the list ends.
        full = full || used + name.size() + 1 + 1 >= loader.nameBuffer;
        if (full) {
            file.fate = ListedFile::Fate::PastNameBuffer;
            file.copy = folder.find(file.request, loader.order);
        } else {
            used += name.size() + 1;
            readListedFile(folder, loader, fileLimit, list, file);
        }
        list.files.push_back(std::move(file));
    }
    return list;
}

// The classic menu numbers single-player arenas first, in tiers of four,
// then the special ones, then all others, and finds each arena by its
// number. The single-player arenas over a multiple of four keep numbers
// that others have too, and of two arenas with one number it only ever
// finds the first.
void numberArenas(InfoList& list)
{
    int singlePlayer = 0;
    int special = 0;
    const auto isSinglePlayer = [&](const ListedInfo& info) {
        const std::optional<QByteArray> type = infoValue(list.blockOf(info), "type");
        return type && type->contains("single");
    };
    const auto isSpecial = [&](const ListedInfo& info) {
        const std::optional<QByteArray> tag = infoValue(list.blockOf(info), "special");
        return tag && !tag->isEmpty();
    };
    for (const ListedInfo& info : list.infos) {
        if (isSinglePlayer(info))
            ++(isSpecial(info) ? special : singlePlayer);
    }
    singlePlayer -= singlePlayer % 4;
    int nextSinglePlayer = 0;
    int nextSpecial = singlePlayer;
    int nextOther = singlePlayer + special;
    QHash<int, std::size_t> firstWithNumber;
    for (std::size_t at = 0; at < list.infos.size(); ++at) {
        ListedInfo& info = list.infos[at];
        const int number = isSinglePlayer(info) ? (isSpecial(info) ? nextSpecial++ : nextSinglePlayer++) : nextOther++;
        // The number does not fit an info string that is nearly full.
        const qsizetype numberLength = 5 + QByteArray::number(number).size();
        if (fitInfoString(list.blockOf(info), GameCode::Ioquake3Native).held + numberLength >= infoStringSize)
            continue;
        firstWithNumber.insert(number, firstWithNumber.value(number, at));
    }
    for (ListedInfo& info : list.infos)
        info.numbered = false;
    for (int number = 0; number < int(list.infos.size()); ++number) {
        if (const auto first = firstWithNumber.constFind(number); first != firstWithNumber.cend())
            list.infos[*first].numbered = true;
    }
}

} // namespace

int InfoList::shown() const
{
    return int(std::count_if(infos.begin(), infos.end(), [](const ListedInfo& info) { return info.numbered; }));
}

InfoList loadArenas(const GameFolder& folder, const ListLoader& loader, std::uint64_t poolUsed)
{
    InfoList list = loadList(folder, loader, poolUsed, "scripts/arenas.txt", ".arena", arenaFileLimit);
    if (loader.numbersArenas)
        numberArenas(list);
    return list;
}

InfoList loadBots(const GameFolder& folder, const ListLoader& loader, std::uint64_t poolUsed)
{
    return loadList(folder, loader, poolUsed, "scripts/bots.txt", ".bot", botFileLimit);
}

} // namespace game
