// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/GameFolder.h"

#include "game/EngineOrder.h"
#include "game/EntryNames.h"
#include "game/FolderListing.h"
#include "game/LooseFile.h"
#include "platform/system/FolderFiles.h"
#include "platform/system/OpenFileLimit.h"
#include "platform/system/ParallelWork.h"
#include "platform/system/RegularFile.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <atomic>

namespace game {

namespace {

QByteArray absoluteClean(const QString& path)
{
    return platform::absolutePath(QFile::encodeName(path));
}

// Whether the game's listing of "scripts" takes a pk3 entry of this name:
// one folder deep at most below it, and with "scripts" as the start of its
// folder's name, which a folder such as "scriptsfoo/" passes as well.
bool listedUnderScripts(const QByteArray& name)
{
    qsizetype lastSeparator = 0;
    int depth = 0;
    for (qsizetype at = 0; at < name.size(); ++at) {
        if (name[at] == '/' || name[at] == '\\') {
            lastSeparator = at;
            ++depth;
        }
    }
    return depth <= 2 && lastSeparator >= 7 && asciiLowered(name.left(7)) == "scripts";
}

// Where a file about to be written goes: an archive lies in a game folder,
// a loose arena file in a game folder's scripts/.
struct PendingPlace {
    QByteArray path;   // absolute
    QByteArray folder; // the game folder it goes in
    QByteArray name;
    bool archive = false;

    explicit PendingPlace(const std::optional<PendingFile>& pending)
    {
        if (!pending)
            return;
        path = platform::absolutePath(pending->path);
        archive = std::holds_alternative<ArchiveView>(pending->content);
        folder = archive ? platform::folderOf(path) : platform::folderOf(platform::folderOf(path));
        name = platform::fileNameOf(path);
    }
    bool in(const GameDirectory& directory) const
    {
        return !path.isEmpty() && folder == absoluteClean(directory.path);
    }
    bool looseArenaIn(const GameDirectory& directory) const
    {
        return in(directory) && !archive && platform::fileNameOf(platform::folderOf(path)) == "scripts";
    }
};

// How the findings name a file: by the path it was given by; the one about
// to be written, by the path the caller knows it by.
class ShownPaths {
public:
    ShownPaths(const QByteArrayList& givenPaths, const PendingPlace& place, const std::optional<PendingFile>& pending)
        : place(place), pending(pending)
    {
        for (const QByteArray& path : givenPaths)
            given.insert(platform::absolutePath(path), path);
    }
    QByteArray of(const QByteArray& path) const
    {
        const QByteArray absolute = platform::absolutePath(path);
        return !place.path.isEmpty() && absolute == place.path ? pending->path : given.value(absolute, path);
    }

private:
    QHash<QByteArray, QByteArray> given;
    const PendingPlace& place;
    const std::optional<PendingFile>& pending;
};

// A game folder's loose files, with a loose arena file about to be saved
// among them.
Source looseFilesSource(const GameDirectory& directory, int folder, const PendingPlace& place,
                        const std::optional<PendingFile>& pending, const ShownPaths& shown)
{
    Source loose;
    loose.path = QFile::encodeName(directory.path);
    loose.folder = folder;
    loose.looseFiles = looseFilesOf(loose.path);
    for (LooseItem& file : loose.looseFiles)
        file.path = shown.of(file.path);
    if (place.looseArenaIn(directory)) {
        const QByteArray name = "scripts/" + place.name;
        const bool there = std::any_of(loose.looseFiles.begin(), loose.looseFiles.end(),
                                       [&](const LooseItem& file) { return file.name == name; });
        if (!there)
            loose.looseFiles.push_back({name, pending->path});
    }
    return loose;
}

} // namespace

GameFolder GameFolder::open(const SearchPath& searchPath, Opening opening)
{
    GameFolder opened;
    opened.path = searchPath;
    const Game& game = *searchPath.game;
    std::optional<PendingFile>& pending = opening.pending;
    const PendingPlace place(pending);
    const ShownPaths shown(opening.givenPaths, place, pending);
    std::vector<std::size_t> toOpen; // the pk3s and pk3dirs, to be read
    for (int folder = 0; folder < int(searchPath.directories.size()); ++folder) {
        const GameDirectory& directory = searchPath.directories[std::size_t(folder)];
        const QByteArray directoryPath = QFile::encodeName(directory.path);
        FolderListing listing = listPaks(directoryPath);
        if (listing.cut)
            opened.cut.insert(folder);
        if (place.in(directory) && place.archive)
            addPak(listing, place.name);
        opened.all.push_back(looseFilesSource(directory, folder, place, pending, shown));

        // The pk3 that sorts last is searched first.
        for (auto pak = listing.paks.rbegin(); pak != listing.paks.rend(); ++pak) {
            Source source;
            source.path = shown.of(platform::joinPath(directoryPath, pak->name));
            source.name = pak->name;
            source.folder = folder;
            source.listedAt = pak->listedAt;
            source.pakFolder = pak->folder;
            source.gamesOwn = !pak->folder && game.ships(directory.name, pak->name);
            if (place.in(directory) && place.archive && platform::absolutePath(source.path) == place.path)
                source.archive = std::move(std::get<ArchiveView>(pending->content));
            else
                toOpen.push_back(opened.all.size());
            opened.all.push_back(std::move(source));
        }
    }
    opened.openSources(toOpen);
    // Loose text about to be saved stands in for the file on disk.
    if (pending && !place.archive)
        opened.pendingText = {place.path, std::get<QByteArray>(pending->content)};
    rankByEngine(opened.all);
    for (const Engine engine : allEngines)
        opened.searchOrder[std::size_t(engine)] = game::searchOrder(opened.all, engine);
    opened.indexAll();
    return opened;
}

void GameFolder::openSources(const std::vector<std::size_t>& which)
{
    // The zip library holds each archive open while the view of it lives.
    // Past what the process may hold open, with some to spare for reading
    // and for the rest of the program, an archive is closed once read and
    // opened again for each entry read from it.
    constexpr std::size_t spareFiles = 64;
    const std::size_t allowed = platform::allowOpenFiles(which.size() + spareFiles);
    const std::size_t heldAtMost = allowed > spareFiles ? allowed - spareFiles : 0;
    std::atomic<std::size_t> held = 0;
    std::vector<QString> reasons(all.size());
    platform::forEachInParallel(which.size(), [&](std::size_t at) {
        Source& source = all[which[at]];
        if (source.pakFolder) {
            source.looseFiles = looseFilesOf(source.path);
            return;
        }
        source.archive = ArchiveView::open(source.path, &reasons[which[at]]);
        if (source.archive && held++ >= heldAtMost)
            source.archive->closeFile();
    });
    // A pk3 the game cannot open is left out of its search.
    std::vector<Source> kept;
    for (std::size_t at = 0; at < all.size(); ++at) {
        if (all[at].name.isEmpty() || all[at].pakFolder || all[at].archive)
            kept.push_back(std::move(all[at]));
        else
            unreadable.push_back({all[at].path, reasons[at]});
    }
    all = std::move(kept);
}

void GameFolder::indexAll()
{
    scriptEntries.assign(all.size(), {});
    for (std::uint32_t s = 0; s < all.size(); ++s) {
        const Source& source = all[s];
        if (source.loose()) {
            for (std::uint32_t item = 0; item < source.looseFiles.size(); ++item)
                byName[entryKey(source.looseFiles[item].name)].push_back({s, item});
            continue;
        }
        const std::vector<ArchiveEntry>& entries = source.archive->entries();
        for (std::uint32_t item = 0; item < entries.size(); ++item)
            byName[entries[item].key].push_back({s, item});
        for (std::uint32_t item = 0; item < entries.size(); ++item) {
            if (listedUnderScripts(entries[item].name))
                scriptEntries[s].push_back(item);
        }
    }
}

std::vector<FileCopy> GameFolder::copiesOf(const QByteArray& name) const
{
    std::vector<FileCopy> copies;
    for (const FileCopy& copy : byName.value(entryKey(name))) {
        const Source& source = all[copy.source];
        // Loose files are looked for on a file system that tells case apart.
        if (!source.loose() || source.looseFiles[copy.item].name == QByteArray(name).replace('\\', '/'))
            copies.push_back(copy);
    }
    return copies;
}

std::optional<FileCopy> GameFolder::find(const QByteArray& name, Engine engine) const
{
    std::optional<FileCopy> best;
    for (const FileCopy& copy : copiesOf(name)) {
        const int rank = all[copy.source].rank[std::size_t(engine)];
        if (rank >= 0 && (!best || rank < all[best->source].rank[std::size_t(engine)]))
            best = copy;
    }
    return best;
}

// The game lists at most this many names of a search over all its folders:
// 0x1000, less one.
constexpr qsizetype mostNamesListed = 4095;

QByteArrayList GameFolder::listFiles(const QByteArray& folder, const QByteArray& extension, Engine engine) const
{
    QByteArrayList listed;
    QSet<QByteArray> seen;
    const auto add = [&](const QByteArray& name) {
        if (listed.size() < mostNamesListed && !seen.contains(asciiLowered(name))) {
            seen.insert(asciiLowered(name));
            listed << name;
        }
    };
    const QByteArray prefix = folder + '/';
    for (const std::uint32_t s : searchOrder[std::size_t(engine)]) {
        const Source& source = all[s];
        if (source.loose()) {
            QByteArrayList names;
            for (const LooseItem& file : source.looseFiles) {
                if (file.name.startsWith(prefix) && endsWithInAnyCase(file.name, extension))
                    names << file.name.mid(prefix.size());
            }
            // Quake3e sorts a folder's files by their bytes; the others
            // take them in the order the file system gives them.
            if (engine == Engine::Quake3e)
                std::sort(names.begin(), names.end());
            for (const QByteArray& name : names)
                add(name);
            continue;
        }
        const std::vector<ArchiveEntry>& entries = source.archive->entries();
        for (const std::uint32_t item : scriptEntries[s]) {
            const QByteArray& name = entries[item].name;
            if (endsWithInAnyCase(name, extension))
                add(asciiLowered(name).mid(prefix.size()));
        }
    }
    return listed;
}

QByteArray GameFolder::nameOf(FileCopy copy) const
{
    const Source& source = all[copy.source];
    return source.loose() ? source.looseFiles[copy.item].name : source.archive->entries()[copy.item].name;
}

QByteArray GameFolder::fileOf(FileCopy copy) const
{
    const Source& source = all[copy.source];
    return source.loose() ? source.looseFiles[copy.item].path : source.path;
}

std::optional<std::uint64_t> GameFolder::statedSize(FileCopy copy) const
{
    const Source& source = all[copy.source];
    if (source.loose())
        return std::nullopt;
    return source.archive->entries()[copy.item].size;
}

std::optional<std::uint32_t> GameFolder::statedCrc(FileCopy copy) const
{
    const Source& source = all[copy.source];
    if (source.loose() || !source.archive->entries()[copy.item].record)
        return std::nullopt;
    return source.archive->directory().records[*source.archive->entries()[copy.item].record].crc;
}

bool GameFolder::isPendingText(const LooseItem& file) const
{
    return !pendingText.first.isEmpty() && platform::absolutePath(file.path) == pendingText.first;
}

std::optional<platform::FileIdentity> GameFolder::identityOf(FileCopy copy) const
{
    const Source& source = all[copy.source];
    if (!source.loose())
        return source.archive->identity();
    const std::optional<platform::RegularFile> file = platform::RegularFile::open(source.looseFiles[copy.item].path);
    return file ? platform::identityOf(file->descriptor()) : std::nullopt;
}

std::optional<QByteArray> GameFolder::partOf(FileCopy copy) const
{
    const Source& source = all[copy.source];
    if (source.loose())
        return isPendingText(source.looseFiles[copy.item]) ? std::nullopt : std::optional(QByteArray("file"));
    const ArchiveEntry& entry = source.archive->entries()[copy.item];
    if (!entry.record)
        return std::nullopt;
    return "entry " + QByteArray::number(qulonglong(*entry.record)) + ' '
        + QByteArray::number(source.archive->directory().records[*entry.record].crc, 16) + ' '
        + QByteArray::number(qulonglong(entry.size));
}

CopyBytes GameFolder::read(FileCopy copy, std::uint64_t limit) const
{
    const auto cached = smallFiles.constFind(copy);
    if (cached != smallFiles.cend() && cached->limit == limit)
        return cached->bytes;
    CopyBytes result;
    const Source& source = all[copy.source];
    if (!source.loose()) {
        const ArchiveEntry& entry = source.archive->entries()[copy.item];
        result.size = entry.size;
        result.bytes = source.archive->read(entry, limit);
    } else if (isPendingText(source.looseFiles[copy.item])) {
        result.size = std::uint64_t(pendingText.second.size());
        if (result.size <= limit)
            result.bytes = pendingText.second;
    } else {
        // The game reads a loose file up to the size it finds it to have.
        std::optional<LooseFile> file = readLooseFile(source.looseFiles[copy.item].path, limit, &result.problem);
        result.size = file ? file->size : 0;
        if (file && file->size <= limit)
            result.bytes = std::move(file->bytes);
    }
    smallFiles.insert(copy, {limit, result});
    return result;
}

std::optional<QByteArray> GameFolder::readStart(FileCopy copy, std::uint64_t count) const
{
    const Source& source = all[copy.source];
    if (!source.loose())
        return source.archive->readStart(source.archive->entries()[copy.item], count);
    if (isPendingText(source.looseFiles[copy.item]))
        return pendingText.second.left(qsizetype(std::min<std::uint64_t>(count, std::uint64_t(pendingText.second.size()))));
    const std::optional<LooseFile> file = readLooseFile(source.looseFiles[copy.item].path, count);
    return file ? std::optional(file->bytes) : std::nullopt;
}

bool GameFolder::stream(FileCopy copy, const std::function<void(const char*, std::size_t)>& sink) const
{
    const Source& source = all[copy.source];
    if (!source.loose())
        return source.archive->stream(source.archive->entries()[copy.item], sink);
    if (isPendingText(source.looseFiles[copy.item])) {
        sink(pendingText.second.constData(), std::size_t(pendingText.second.size()));
        return true;
    }
    const std::optional<platform::RegularFile> file = platform::RegularFile::open(source.looseFiles[copy.item].path);
    if (!file)
        return false;
    // A piece at a time: a map is never held whole.
    constexpr std::uint64_t piece = 1 << 20;
    for (std::uint64_t at = 0; at < file->size(); at += piece) {
        const std::optional<QByteArray> bytes = file->readAt(at, piece);
        if (!bytes || bytes->isEmpty())
            return false;
        sink(bytes->constData(), std::size_t(bytes->size()));
    }
    return true;
}

} // namespace game
