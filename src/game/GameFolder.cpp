// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/GameFolder.h"

#include "game/EntryNames.h"
#include "game/LooseFile.h"
#include "game/PakOrder.h"
#include "platform/system/FolderFiles.h"
#include "platform/system/OpenFileLimit.h"
#include "platform/system/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <atomic>
#include <thread>

namespace game {

namespace {

// The game lists at most this many names of one folder, and no more names
// of a search over all its folders: 0x1000, less one.
constexpr qsizetype mostNamesListed = 4095;

// The folders beneath a game folder whose loose files the rules read: the
// lists of arenas and bots, the maps with their bot navigation files, and
// the menu's pictures of them. The game asks for them in exactly this case.
constexpr std::array<const char*, 3> looseFolders{"scripts", "maps", "levelshots"};

QString absoluteClean(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

QByteArray asciiLowered(const QByteArray& name)
{
    QByteArray lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), asciiLower);
    return lower;
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

bool endsWithInAnyCase(const QByteArray& name, const QByteArray& ending)
{
    return name.size() >= ending.size() && asciiLowered(name.right(ending.size())) == asciiLowered(ending);
}

} // namespace

GameFolder GameFolder::open(const QStringList& folders, Opening opening)
{
    GameFolder opened;
    opened.folderPaths = folders;
    std::optional<PendingFile>& pending = opening.pending;
    const QString pendingPath = pending ? absoluteClean(pending->path) : QString();
    QHash<QString, QString> given;
    for (const QString& path : opening.givenPaths)
        given.insert(absoluteClean(path), path);
    const auto asGiven = [&](const QString& path) { return given.value(absoluteClean(path), path); };
    std::vector<std::size_t> toOpen; // the pk3s among the sources, to be opened
    for (int folder = 0; folder < folders.size(); ++folder) {
        const QString& path = folders[folder];
        const QString absoluteFolder = absoluteClean(path);
        // An archive lies in the game folder, a loose arena file in its scripts/.
        const bool pendingArchive = pending && std::holds_alternative<ArchiveView>(pending->content);
        const QString pendingFolder = pendingArchive ? QFileInfo(pendingPath).path()
                                                     : QFileInfo(QFileInfo(pendingPath).path()).path();
        const bool pendingHere = pending && pendingFolder == absoluteFolder;
        const std::optional<std::vector<platform::FolderItem>> items = platform::listFolder(path);
        std::vector<QByteArray> paks;
        for (const platform::FolderItem& item : items ? *items : std::vector<platform::FolderItem>()) {
            if (item.folder || !isPakName(item.name))
                continue;
            if (qsizetype(paks.size()) == mostNamesListed) {
                opened.cut.insert(folder);
                break;
            }
            paks.push_back(item.name);
        }
        const QByteArray pendingName = QFile::encodeName(QFileInfo(pendingPath).fileName());
        if (pendingHere && pendingArchive && std::find(paks.begin(), paks.end(), pendingName) == paks.end())
            paks.push_back(pendingName);
        std::stable_sort(paks.begin(), paks.end(),
                         [](const QByteArray& a, const QByteArray& b) { return comparePakNames(a, b) < 0; });

        Source loose;
        loose.path = path;
        loose.folder = folder;
        for (const char* under : looseFolders) {
            const QString subfolder = QDir(path).filePath(QString::fromLatin1(under));
            const std::optional<std::vector<platform::FolderItem>> files = platform::listFolder(subfolder);
            for (const platform::FolderItem& file : files ? *files : std::vector<platform::FolderItem>()) {
                if (file.folder)
                    continue;
                QString filePath = asGiven(QDir(subfolder).filePath(QFile::decodeName(file.name)));
                if (pendingHere && absoluteClean(filePath) == pendingPath)
                    filePath = pending->path;
                loose.looseFiles.push_back({under + ('/' + file.name), filePath});
            }
        }
        if (pendingHere && !pendingArchive && QFileInfo(QFileInfo(pendingPath).path()).fileName() == QLatin1String("scripts")) {
            const QByteArray name = "scripts/" + pendingName;
            const bool there = std::any_of(loose.looseFiles.begin(), loose.looseFiles.end(),
                                           [&](const LooseItem& file) { return file.name == name; });
            if (!there)
                loose.looseFiles.push_back({name, pending->path});
        }
        opened.addSource(std::move(loose));

        // The pk3 that sorts last is searched first.
        for (auto name = paks.rbegin(); name != paks.rend(); ++name) {
            Source pak;
            pak.path = asGiven(QDir(path).filePath(QFile::decodeName(*name)));
            pak.name = *name;
            pak.folder = folder;
            if (pendingHere && pendingArchive && absoluteClean(pak.path) == pendingPath) {
                pak.path = pending->path;
                pak.archive = std::move(std::get<ArchiveView>(pending->content));
            } else {
                toOpen.push_back(opened.all.size());
            }
            opened.addSource(std::move(pak));
        }
    }
    opened.openArchives(toOpen);
    // Loose text about to be saved stands in for the file on disk.
    if (pending && std::holds_alternative<QByteArray>(pending->content))
        opened.pendingText = {pendingPath, std::get<QByteArray>(pending->content)};

    // Each engine's order of search: ioquake3's is the order of `all`.
    const int count = int(opened.all.size());
    for (int at = 0; at < count; ++at)
        opened.all[std::size_t(at)].rank[int(Engine::Ioquake3)] = at;
    // id 1.32: a folder's pk3s before its loose files.
    int place = 0;
    for (int folder = 0; folder < folders.size(); ++folder) {
        for (Source& source : opened.all)
            if (source.folder == folder && !source.loose())
                source.rank[int(Engine::Id132)] = place++;
        for (Source& source : opened.all)
            if (source.folder == folder && source.loose())
                source.rank[int(Engine::Id132)] = place++;
    }
    // Quake3e: every pk3 before every loose folder.
    place = 0;
    for (const bool looseFiles : {false, true}) {
        for (Source& source : opened.all)
            if (source.loose() == looseFiles)
                source.rank[int(Engine::Quake3e)] = place++;
    }
    for (const Engine engine : allEngines) {
        std::vector<std::uint32_t>& order = opened.searchOrder[int(engine)];
        for (std::uint32_t at = 0; at < std::uint32_t(count); ++at)
            order.push_back(at);
        std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            return opened.all[a].rank[int(engine)] < opened.all[b].rank[int(engine)];
        });
    }
    opened.indexAll();
    return opened;
}

void GameFolder::addSource(Source source)
{
    all.push_back(std::move(source));
}

void GameFolder::openArchives(const std::vector<std::size_t>& which)
{
    // The zip library holds each archive open while the view of it lives.
    // Past what the process may hold open, with some to spare for reading
    // and for the rest of the program, an archive is closed once read and
    // opened again for each entry read from it.
    constexpr std::size_t spareFiles = 64;
    const std::size_t allowed = platform::allowOpenFiles(which.size() + spareFiles);
    const std::size_t heldAtMost = allowed > spareFiles ? allowed - spareFiles : 0;
    std::atomic<std::size_t> held = 0;
    // Each archive is read on its own, so the cores share them out.
    std::vector<QString> reasons(all.size());
    std::atomic<std::size_t> next = 0;
    const auto work = [&] {
        for (std::size_t at = next++; at < which.size(); at = next++) {
            Source& source = all[which[at]];
            source.archive = ArchiveView::open(source.path, &reasons[which[at]]);
            if (source.archive && held++ >= heldAtMost)
                source.archive->closeFile();
        }
    };
    std::vector<std::thread> helpers(std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), 4) - 1);
    for (std::thread& helper : helpers)
        helper = std::thread(work);
    work();
    for (std::thread& helper : helpers)
        helper.join();
    // A pk3 the game cannot open is left out of its search.
    std::vector<Source> kept;
    for (std::size_t at = 0; at < all.size(); ++at) {
        if (all[at].name.isEmpty() || all[at].archive)
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
        if (!best || all[copy.source].rank[int(engine)] < all[best->source].rank[int(engine)])
            best = copy;
    }
    return best;
}

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
    for (const std::uint32_t s : searchOrder[int(engine)]) {
        const Source& source = all[s];
        if (source.loose()) {
            for (const LooseItem& file : source.looseFiles) {
                if (file.name.startsWith(prefix) && endsWithInAnyCase(file.name, extension))
                    add(file.name.mid(prefix.size()));
            }
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

QString GameFolder::fileOf(FileCopy copy) const
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
    return !pendingText.first.isEmpty() && absoluteClean(file.path) == pendingText.first;
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
        std::optional<LooseFile> file = readLooseFile(source.looseFiles[copy.item].path, limit);
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
