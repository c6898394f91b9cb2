// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/ArchiveView.h"
#include "game/Engine.h"
#include "game/FolderListing.h"
#include "game/SearchPath.h"
#include "platform/system/FileIdentity.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace game {

// One place the game looks for files: a pk3, a NAME.pk3dir folder that
// ioquake3 and Quake3e take for one, or a game folder's loose files.
struct Source {
    QByteArray path;  // the pk3, the pk3dir, or the game folder, as the file system spells it
    QByteArray name;  // the pk3's or pk3dir's file name; empty for a game folder's loose files
    int folder = 0;   // its game folder in the search path, 0 the most important
    int listedAt = 0; // a pk3's place among its folder's pk3 files in the file system's order
    std::optional<ArchiveView> archive; // a pk3's entries
    std::vector<LooseItem> looseFiles;  // the files of a game folder or a pk3dir
    bool pakFolder = false; // a pk3dir
    bool gamesOwn = false;  // a pk3 the game's release ships
    // The place in each engine's search, 0 first, by Engine; -1 where the
    // engine never searches it.
    std::array<int, 3> rank{};

    bool loose() const { return !archive; }
};

// One copy of a file: which source, and which of its entries or loose files.
struct FileCopy {
    std::uint32_t source = 0;
    std::uint32_t item = 0;
    auto operator<=>(const FileCopy&) const = default;
};

inline std::size_t qHash(const FileCopy& copy, std::size_t seed = 0)
{
    return ::qHash(std::uint64_t(copy.source) << 32 | copy.item, seed);
}

// A file the program is about to write, checked as if it were in place: an
// archive as it will be with the arena in it, or a loose arena file's text.
struct PendingFile {
    QByteArray path;
    std::variant<ArchiveView, QByteArray> content;
};

// What reading a file of the folder found.
struct CopyBytes {
    std::optional<QByteArray> bytes;
    std::uint64_t size = 0; // the file's own size, even when too large to read
    QString problem;        // why a loose file could not be read
};

// A game folder as the game loads it: its pk3s, in the game's order, and
// its loose files; with a mod's folder, the base folder beneath it too.
class GameFolder {
public:
    // How a folder is opened.
    struct Opening {
        // A file that takes the place of the file of its path, or joins the
        // folder where there is none yet.
        std::optional<PendingFile> pending;
        // Files that keep these paths, as given, for their findings.
        QByteArrayList givenPaths;
    };

    static GameFolder open(const SearchPath& path, Opening opening = {});

    const std::vector<Source>& sources() const { return all; }
    const SearchPath& searchPath() const { return path; }
    const Game& game() const { return *path.game; }
    const GameDirectory& directoryOf(const Source& source) const { return path.directories[std::size_t(source.folder)]; }
    // pk3s of the folders that the game could not open, with why.
    struct Skipped {
        QByteArray path;
        QString reason;
    };
    const std::vector<Skipped>& skipped() const { return unreadable; }
    // Whether a folder held more pk3 files than the game lists: it takes
    // the first 4,095 that the file system gives and ignores the rest.
    bool pakListCut(int folder) const { return cut.contains(folder); }

    // Every copy of the file the game takes for `name`, most important
    // first in ioquake3's search. pk3 entries match in any letter case;
    // loose files only as spelt, as on Linux.
    std::vector<FileCopy> copiesOf(const QByteArray& name) const;
    // The copy an engine reads for `name`; nothing when there is none.
    std::optional<FileCopy> find(const QByteArray& name, Engine engine = Engine::Ioquake3) const;

    // The names the game lists for the files in `folder` (under "scripts",
    // say) ending in `extension` (".arena"), in an engine's search order,
    // each once in any letter case: pk3 entries lower-cased, loose files as
    // spelt. A pk3 entry one folder deeper is listed too, as the game does.
    QByteArrayList listFiles(const QByteArray& folder, const QByteArray& extension, Engine engine) const;

    const Source& sourceOf(FileCopy copy) const { return all[copy.source]; }
    // The name of a copy, as stored, and the file that holds it: the pk3,
    // or the loose file itself.
    QByteArray nameOf(FileCopy copy) const;
    QByteArray fileOf(FileCopy copy) const;
    // Its size as stated, without reading it; nothing for a loose file not yet read.
    std::optional<std::uint64_t> statedSize(FileCopy copy) const;
    // The CRC-32 its pk3 gives it; nothing for a loose file or one about to be written.
    std::optional<std::uint32_t> statedCrc(FileCopy copy) const;

    // Which file holds a copy, and how to name the copy's bytes within it,
    // for as long as the file is unchanged: for remembering what they are.
    std::optional<platform::FileIdentity> identityOf(FileCopy copy) const;
    std::optional<QByteArray> partOf(FileCopy copy) const;

    // Reads a copy whole, no more than `limit` bytes; small files are read once.
    CopyBytes read(FileCopy copy, std::uint64_t limit) const;
    std::optional<QByteArray> readStart(FileCopy copy, std::uint64_t count) const;
    bool stream(FileCopy copy, const std::function<void(const char*, std::size_t)>& sink) const;

    // Every copy of every file, by the name the game takes them for, most
    // important first: for rules that look at all files at once.
    const QHash<QByteArray, std::vector<FileCopy>>& index() const { return byName; }

private:
    void openSources(const std::vector<std::size_t>& which);
    void indexAll();
    bool isPendingText(const LooseItem& file) const;

    SearchPath path;
    std::vector<Source> all;
    std::vector<Skipped> unreadable;
    QSet<int> cut;
    QHash<QByteArray, std::vector<FileCopy>> byName;
    // Per source, the entries the listing of "scripts" can find.
    std::vector<std::vector<std::uint32_t>> scriptEntries;
    std::array<std::vector<std::uint32_t>, 3> searchOrder; // sources, by Engine
    std::pair<QByteArray, QByteArray> pendingText; // a loose file about to be saved: its absolute path and text
    struct Read {
        std::uint64_t limit;
        CopyBytes bytes;
    };
    mutable QHash<FileCopy, Read> smallFiles;
};

} // namespace game
