// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/ArchiveView.h"

#include "game/EntryNames.h"
#include "game/Limits.h"
#include "platform/system/RegularFile.h"

namespace game {

namespace {

constexpr std::uint16_t deflated = 8;
constexpr std::uint16_t encryptedFlag = 0x0001;
constexpr std::uint16_t aesMethod = 99; // the library reports the method under the encryption instead

// Where the zip library, reading the same file, sees other records than the
// game: then the library's bytes are not the game's.
QString differenceFrom(const ZipDirectory& game, const platform::ZipArchive& library)
{
    if (game.bytesBefore != 0) {
        return QStringLiteral("%1 bytes lie between where its end record says the directory starts and where the "
                              "game reads it")
            .arg(game.bytesBefore);
    }
    if (game.otherEndRecord)
        return QStringLiteral("it holds a second end record, which other readers may take");
    const std::vector<platform::ZipEntry>& entries = library.entries();
    if (entries.size() != game.records.size() || game.records.size() != game.entryCount) {
        return QStringLiteral("the game reads %1 records and the zip library %2")
            .arg(game.records.size())
            .arg(entries.size());
    }
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const platform::ZipEntry& seen = entries[index];
        const DirectoryRecord& record = game.records[index];
        const bool sameName = record.nameLength < entryNameSize ? seen.name == record.name
                                                                 : seen.name.startsWith(record.name);
        if (!sameName || seen.crc != record.crc || seen.size != record.size
            || seen.compressedSize != record.compressedSize || (record.method != aesMethod && seen.method != record.method))
            return QStringLiteral("its record %1 differs").arg(index + 1);
    }
    return {};
}

} // namespace

std::optional<ArchiveView> ArchiveView::open(const QByteArray& path, QString* reason)
{
    const std::optional<platform::RegularFile> file = platform::RegularFile::open(path, reason);
    if (!file)
        return std::nullopt;
    ArchiveView view;
    view.path = path;
    view.fileIdentity = platform::identityOf(file->descriptor());
    view.gameDirectory = readZipDirectory(*file);
    QString libraryReason;
    view.library = platform::ZipArchive::open(*file, &libraryReason);
    view.libraryEntries = view.library ? view.library->entries().size() : 0;
    if (!view.library && view.gameDirectory.refusal != Refusal::None) {
        if (reason) {
            const QString notZip = QStringLiteral("Not a zip archive");
            *reason = libraryReason.startsWith(notZip) ? libraryReason : notZip + QStringLiteral(": ") + libraryReason;
        }
        return std::nullopt;
    }
    if (view.gameDirectory.refusal == Refusal::None) {
        view.difference = view.library ? differenceFrom(view.gameDirectory, *view.library)
                                       : QStringLiteral("the zip library cannot read it: %1").arg(libraryReason);
    }
    const std::vector<DirectoryRecord>& records = view.gameDirectory.records;
    for (std::size_t index = 0; index < records.size(); ++index) {
        const DirectoryRecord& record = records[index];
        view.addEntry({record.name, entryKey(record.name), record.method, (record.flags & encryptedFlag) != 0,
                       record.size, record.localHeaderAgrees, index});
    }
    return view;
}

void ArchiveView::addEntry(ArchiveEntry entry)
{
    if (const auto same = byKey.constFind(entry.key); same != byKey.cend()) {
        list[*same] = std::move(entry);
        return;
    }
    byKey.insert(entry.key, list.size());
    list.push_back(std::move(entry));
}

void ArchiveView::putArena(const QByteArray& name, const QByteArray& text)
{
    if (const auto same = byKey.constFind(entryKey(name)); same != byKey.cend()) {
        list.erase(list.begin() + qsizetype(*same));
        byKey.clear();
        for (std::size_t index = 0; index < list.size(); ++index)
            byKey.insert(list[index].key, index);
    }
    addedText = text;
    addEntry({name, entryKey(name), deflated, false, std::uint64_t(text.size()), true, std::nullopt});
}

bool ArchiveView::holdsNothing() const
{
    return gameDirectory.records.empty() && libraryEntries == 0;
}

void ArchiveView::closeFile()
{
    if (library) {
        library.reset();
        reopens = true;
    }
}

bool ArchiveView::throughLibrary(const std::function<void(const platform::ZipArchive&)>& use) const
{
    if (library) {
        use(*library);
        return true;
    }
    // Opened again, only while it is still the file whose directory was read.
    const std::optional<platform::RegularFile> file = platform::RegularFile::open(path);
    if (!file || !fileIdentity || platform::identityOf(file->descriptor()) != fileIdentity)
        return false;
    const std::optional<platform::ZipArchive> again = platform::ZipArchive::open(*file);
    if (!again || again->entries().size() != libraryEntries)
        return false;
    use(*again);
    return true;
}

const ArchiveEntry* ArchiveView::find(const QByteArray& name) const
{
    const auto found = byKey.constFind(entryKey(name));
    return found == byKey.cend() ? nullptr : &list[*found];
}

bool ArchiveView::canRead(const ArchiveEntry& entry) const
{
    return !entry.record || ((library || reopens) && difference.isEmpty());
}

std::optional<QByteArray> ArchiveView::read(const ArchiveEntry& entry, std::uint64_t limit) const
{
    if (entry.size > limit || !canRead(entry))
        return std::nullopt;
    ++done.reads;
    std::optional<QByteArray> bytes = addedText;
    if (entry.record && !throughLibrary([&](const platform::ZipArchive& zip) {
            bytes = zip.read(zip.entries()[*entry.record], limit);
        }))
        bytes.reset();
    done.bytes += bytes ? std::uint64_t(bytes->size()) : 0;
    return bytes;
}

std::optional<QByteArray> ArchiveView::readStart(const ArchiveEntry& entry, std::uint64_t count) const
{
    if (!canRead(entry))
        return std::nullopt;
    ++done.reads;
    std::optional<QByteArray> bytes = addedText.left(qsizetype(std::min<std::uint64_t>(count, entry.size)));
    if (entry.record && !throughLibrary([&](const platform::ZipArchive& zip) {
            bytes = zip.readStart(zip.entries()[*entry.record], count);
        }))
        bytes.reset();
    done.bytes += bytes ? std::uint64_t(bytes->size()) : 0;
    return bytes;
}

bool ArchiveView::stream(const ArchiveEntry& entry, const std::function<void(const char*, std::size_t)>& sink) const
{
    if (!canRead(entry))
        return false;
    ++done.reads;
    done.bytes += entry.size;
    if (!entry.record) {
        sink(addedText.constData(), std::size_t(addedText.size()));
        return true;
    }
    bool read = false;
    return throughLibrary([&](const platform::ZipArchive& zip) { read = zip.stream(zip.entries()[*entry.record], sink); })
        && read;
}

} // namespace game
