// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/FolderListing.h"

#include "game/EntryNames.h"
#include "game/PakOrder.h"
#include "platform/system/FolderFiles.h"

#include <algorithm>
#include <array>

namespace game {

namespace {

// The game lists at most this many names of one folder: 0x1000, less one.
constexpr std::size_t mostNamesListed = 4095;

// The game asks for these folders in exactly this case.
constexpr std::array<const char*, 3> looseFolders{"scripts", "maps", "levelshots"};

bool sortsBefore(const ListedPak& one, const ListedPak& other)
{
    return comparePakNames(one.name, other.name) < 0;
}

} // namespace

FolderListing listPaks(const QByteArray& folder)
{
    FolderListing listing;
    const std::optional<std::vector<platform::FolderItem>> items = platform::listFolder(folder);
    std::size_t files = 0, folders = 0;
    for (const platform::FolderItem& item : items ? *items : std::vector<platform::FolderItem>()) {
        // The game lists the names that lead somewhere: a link to nothing
        // fails the game's stat() and is never seen.
        if (!item.found)
            continue;
        // Folders are listed all, and only then sorted out by their ending.
        if (item.folder) {
            if (folders < mostNamesListed && endsWithInAnyCase(item.name, ".pk3dir"))
                listing.paks.push_back({item.name, true});
            folders += folders < mostNamesListed ? 1 : 0;
            continue;
        }
        if (!isPakName(item.name))
            continue;
        if (files == mostNamesListed) {
            listing.cut = true;
            continue;
        }
        listing.paks.push_back({item.name, false, int(files++)});
    }
    std::stable_sort(listing.paks.begin(), listing.paks.end(), sortsBefore);
    return listing;
}

void addPak(FolderListing& listing, const QByteArray& name)
{
    const bool listed = std::any_of(listing.paks.begin(), listing.paks.end(),
                                    [&](const ListedPak& pak) { return !pak.folder && pak.name == name; });
    if (listed)
        return;
    // Where a new file lands in the file system's order is not known: last.
    const int files = int(std::count_if(listing.paks.begin(), listing.paks.end(),
                                        [](const ListedPak& pak) { return !pak.folder; }));
    const ListedPak pak{name, false, files};
    listing.paks.insert(std::upper_bound(listing.paks.begin(), listing.paks.end(), pak, sortsBefore), pak);
}

std::vector<LooseItem> looseFilesOf(const QByteArray& folder)
{
    std::vector<LooseItem> files;
    for (const char* under : looseFolders) {
        const QByteArray subfolder = platform::joinPath(folder, under);
        const std::optional<std::vector<platform::FolderItem>> items = platform::listFolder(subfolder);
        for (const platform::FolderItem& item : items ? *items : std::vector<platform::FolderItem>()) {
            if (!item.folder && item.found)
                files.push_back({under + ('/' + item.name), platform::joinPath(subfolder, item.name)});
        }
    }
    return files;
}

} // namespace game
