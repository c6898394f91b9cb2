// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/InfoLists.h"

#include "game/InfoString.h"
#include "game/Limits.h"

#include <QHash>

namespace game {

namespace {

// Each info asks for room for the arena number the loaders add and its
// terminating NUL.
std::uint64_t askedFor(const InfoBlock& block, const ListLoader& loader)
{
    return std::uint64_t(fitInfoString(block, loader.code).held) + 5 + 4 + 1;
}

// What it takes of the pool: OpenArena's allocator keeps the size in four
// bytes before it, and each is rounded up to 32 bytes.
std::uint64_t allocation(const InfoBlock& block, const ListLoader& loader)
{
    const std::uint64_t header = loader.poolRule == PoolRule::FullEndsTheFile ? 4 : 0;
    return (askedFor(block, loader) + header + 31) & ~std::uint64_t(31);
}

// Whether the pool has room for the info: G_Alloc and UI_Alloc compare
// the size asked for, OpenArena's BG_Alloc the size it takes.
bool fits(InfoList& list, const InfoBlock& block, const ListLoader& loader)
{
    const std::uint64_t needed =
        loader.poolRule == PoolRule::FullEndsTheFile ? allocation(block, loader) : askedFor(block, loader);
    if (list.poolUsed + needed > loader.pool)
        return false;
    list.poolPeak = std::max(list.poolPeak, list.poolUsed + needed);
    return true;
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
        const InfoBlock& info = file.reading.blocks[block];
        if (!fits(list, info, loader)) {
            list.poolExhausted = true;
            if (loader.poolRule == PoolRule::FullEndsTheFile) {
                file.pastPool = int(file.reading.blocks.size() - block);
                break;
            }
            ++file.pastPool;
            continue;
        }
        list.poolUsed += allocation(info, loader);
        list.infos.push_back({index, block, true});
        ++file.kept;
    }
}

InfoList loadList(const GameFolder& folder, const ListLoader& loader, std::uint64_t poolUsed, const QByteArray& listFile,
                  const QByteArray& extension, std::uint64_t fileLimit)
{
    InfoList list;
    list.poolUsed = poolUsed;
    list.poolPeak = poolUsed;
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
// that others have too (in OpenArena, only special ones), and of two
// arenas with one number it only ever finds the first.
void numberArenas(InfoList& list, const ListLoader& loader)
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
    const int surplus = singlePlayer % 4;
    singlePlayer -= surplus;
    int nextSinglePlayer = 0;
    int nextSpecial = singlePlayer;
    int nextOther = singlePlayer + special + (loader.surplusAmongSpecial ? surplus : 0);
    QHash<int, std::size_t> firstWithNumber;
    for (std::size_t at = 0; at < list.infos.size(); ++at) {
        ListedInfo& info = list.infos[at];
        const int number = isSinglePlayer(info) ? (isSpecial(info) ? nextSpecial++ : nextSinglePlayer++) : nextOther++;
        info.number = number;
        // The number does not fit an info string that is nearly full.
        const qsizetype numberLength = 5 + QByteArray::number(number).size();
        if (fitInfoString(list.blockOf(info), loader.code).held + numberLength >= infoStringSize)
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
    return std::min(mostShown, int(std::count_if(infos.begin(), infos.end(),
                                                   [](const ListedInfo& info) { return info.numbered; })));
}

InfoList loadArenas(const GameFolder& folder, const ListLoader& loader, std::uint64_t poolUsed)
{
    InfoList list = loadList(folder, loader, poolUsed, "scripts/arenas.txt", ".arena", arenaFileLimit);
    list.mostShown = loader.mostShown;
    if (loader.numbersArenas)
        numberArenas(list, loader);
    return list;
}

InfoList loadBots(const GameFolder& folder, const ListLoader& loader, std::uint64_t poolUsed)
{
    return loadList(folder, loader, poolUsed, "scripts/bots.txt", ".bot", botFileLimit);
}

} // namespace game
