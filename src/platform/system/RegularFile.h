// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace platform {

// A file named from outside, opened for reading as if hostile: only a
// regular file is opened at all, never blocking (a FIFO or a device named
// like an archive would stall or never end), and it is read only where and
// as far as asked.
class RegularFile {
public:
    // Nothing when the path is not a regular file that may be read; `reason`
    // then says why, in a short phrase that starts with a capital ("No such
    // file", "Not a regular file: it is a FIFO", "Cannot be read: Permission
    // denied").
    static std::optional<RegularFile> open(const QByteArray& path, QString* reason = nullptr);
    // A path given as text, as the windows give it.
    static std::optional<RegularFile> open(const QString& path, QString* reason = nullptr);

    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile();

    // The size when it was opened.
    std::uint64_t size() const { return length; }
    // Up to `count` bytes from `offset`, fewer at the end of the file;
    // nothing when reading fails.
    std::optional<QByteArray> readAt(std::uint64_t offset, std::uint64_t count) const;
    // The open file, for a library that reads it by itself; it stays ours.
    int descriptor() const { return fd; }

private:
    RegularFile(int fd, std::uint64_t length) : fd(fd), length(length) {}

    int fd = -1;
    std::uint64_t length = 0;
};

} // namespace platform
