// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/ArchiveView.h"

#include "game/EntryNames.h"
#include "game/Limits.h"
#include "platform/system/ZipArchive.h"

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
        const QString bytes = game.bytesBefore == 1 ? QStringLiteral("1 byte lies")
                                                    : QStringLiteral("%1 bytes lie").arg(game.bytesBefore);
        return bytes + QStringLiteral(" between where its end record says the directory starts and where the game "
                                      "reads it");
    }
    if (game.otherEndRecord)
        return QStringLiteral("it holds a second end record, which other readers may take");
    const std::vector<platform::ZipEntry>& entries = library.entries();
    if (entries.size() != game.records.size() || game.records.size() != game.entryCount) {
        return QStringLiteral("the game reads %1 %2 and the zip library %3")
            .arg(game.records.size())
            .arg(game.records.size() == 1 ? QStringLiteral("record") : QStringLiteral("records"))
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
    std::optional<platform::RegularFile> file = platform::RegularFile::open(path, reason);
    if (!file)
        return std::nullopt;
    ArchiveView view;
    view.path = path;
    view.fileIdentity = platform::identityOf(file->descriptor());
    view.gameDirectory = readZipDirectory(*file);
    QString libraryReason;
    const std::optional<platform::ZipArchive> library = platform::ZipArchive::open(*file, &libraryReason);
    view.libraryEntries = library ? library->entries().size() : 0;
    if (!library && view.gameDirectory.refusal != Refusal::None) {
        if (reason) {
            const QString notZip = QStringLiteral("Not a zip archive");
            *reason = libraryReason.startsWith(notZip) ? libraryReason : notZip + QStringLiteral(": ") + libraryReason;
        }
        return std::nullopt;
    }
    if (view.gameDirectory.refusal == Refusal::None) {
        if (library)
            view.difference = differenceFrom(view.gameDirectory, *library);
        else
            view.refusal = libraryReason;
    }
    view.file = std::move(file);
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
    file.reset();
}

EntryRead ArchiveView::readRecord(const ArchiveEntry& entry, std::uint64_t count,
                                  const std::function<void(const char*, std::size_t)>& sink) const
{
    const DirectoryRecord& record = gameDirectory.records[*entry.record];
    if (file)
        return readEntryData(*file, record, count, sink);
    // Opened again, only while it is still the file whose directory was read.
    const std::optional<platform::RegularFile> again = platform::RegularFile::open(path);
    if (!again || !fileIdentity || platform::identityOf(again->descriptor()) != fileIdentity)
        return EntryRead::Nothing;
    return readEntryData(*again, record, count, sink);
}

const ArchiveEntry* ArchiveView::find(const QByteArray& name) const
{
    const auto found = byKey.constFind(entryKey(name));
    return found == byKey.cend() ? nullptr : &list[*found];
}

std::optional<QByteArray> ArchiveView::readStart(const ArchiveEntry& entry, std::uint64_t count) const
{
    ++done.reads;
    QByteArray bytes;
    const auto append = [&](const char* data, std::size_t size) { bytes.append(data, qsizetype(size)); };
    if (!entry.record)
        bytes = addedText.left(qsizetype(std::min<std::uint64_t>(count, entry.size)));
    else if (readRecord(entry, count, append) == EntryRead::Nothing)
        return std::nullopt;
    done.bytes += std::uint64_t(bytes.size());
    return bytes;
}

std::optional<QByteArray> ArchiveView::read(const ArchiveEntry& entry, std::uint64_t limit) const
{
    if (entry.size > limit)
        return std::nullopt;
    return readStart(entry, entry.size);
}

bool ArchiveView::stream(const ArchiveEntry& entry, const std::function<void(const char*, std::size_t)>& sink) const
{
    ++done.reads;
    done.bytes += entry.size;
    if (!entry.record) {
        sink(addedText.constData(), std::size_t(addedText.size()));
        return true;
    }
    return readRecord(entry, entry.size, sink) == EntryRead::Whole;
}

} // namespace game
