// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace game {

// A file in a folder of the game, as the game reads it: the size it finds,
// and the bytes it reads, which the caller bounds to what the game would
// read at most.
struct LooseFile {
    std::uint64_t size = 0;
    QByteArray bytes; // the first min(size, limit) bytes
};

// Nothing when the path is no regular file that may be read; `reason` then
// says why. Never blocks, and never reads past `limit`.
std::optional<LooseFile> readLooseFile(const QByteArray& path, std::uint64_t limit, QString* reason = nullptr);

// What the game makes of a listed loose file that readLooseFile could not
// read: it waits on a FIFO for as long as no program writes to it, finds a
// device empty, and skips what it cannot open.
enum class LooseRefusal { Fifo, Device, Unopenable };
LooseRefusal looseRefusalOf(const QByteArray& path);

} // namespace game
