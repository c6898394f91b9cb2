// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/FileAttributes.h"

#include "platform/system/SystemError.h"

#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

constexpr const char* accessListName = "system.posix_acl_access";

// Asks `read` for a buffer's worth, growing it until the answer fits.
template <typename Read>
std::optional<QByteArray> readGrowing(Read read)
{
    for (;;) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0)
            return std::nullopt;
        QByteArray bytes(size, Qt::Uninitialized);
        const ssize_t got = read(bytes.data(), std::size_t(bytes.size()));
        if (got >= 0) {
            bytes.truncate(got);
            return bytes;
        }
        if (errno != ERANGE) // grown meanwhile: ask again
            return std::nullopt;
    }
}

// The names of a file's extended attributes; none on a file system without
// them.
std::optional<std::vector<QByteArray>> namesOf(int descriptor)
{
    const std::optional<QByteArray> list =
        readGrowing([descriptor](char* buffer, std::size_t size) { return ::flistxattr(descriptor, buffer, size); });
    if (!list)
        return errno == ENOTSUP ? std::optional(std::vector<QByteArray>()) : std::nullopt;
    std::vector<QByteArray> names;
    for (const QByteArray& name : list->split('\0')) {
        if (!name.isEmpty())
            names.push_back(name);
    }
    return names;
}

std::optional<QByteArray> valueOf(int descriptor, const QByteArray& name)
{
    return readGrowing([&](char* buffer, std::size_t size) {
        return ::fgetxattr(descriptor, name.constData(), buffer, size);
    });
}

bool contains(const std::vector<QByteArray>& names, const QByteArray& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

mode_t modeWithoutAccessList(mode_t mode, const QByteArray& accessList)
{
    // A header of 4 bytes (version 2), then entries of a 2-byte tag, 2-byte
    // permissions and a 4-byte id, little-endian.
    constexpr quint16 groupTag = 0x04, maskTag = 0x10;
    constexpr qsizetype header = 4, entrySize = 8;
    std::optional<mode_t> group, mask;
    const bool readable = accessList.size() >= header && (accessList.size() - header) % entrySize == 0
                          && qFromLittleEndian<quint32>(accessList.constData()) == 2;
    for (qsizetype at = header; readable && at < accessList.size(); at += entrySize) {
        const quint16 tag = qFromLittleEndian<quint16>(accessList.constData() + at);
        const mode_t permissions = qFromLittleEndian<quint16>(accessList.constData() + at + 2) & 07;
        if (tag == groupTag)
            group = permissions;
        else if (tag == maskTag)
            mask = permissions;
    }
    const mode_t groupKeeps = group ? *group & mask.value_or(07) : 0;
    return (mode & ~mode_t(070)) | (groupKeeps << 3);
}

AttributeCopy copyAttributes(int from, int to)
{
    AttributeCopy copy;
    struct stat old {};
    if (::fstat(from, &old) != 0) {
        copy.failure = systemErrorText(errno);
        return copy;
    }
    // Giving a file away is for root alone; a group, for its members. The
    // group is tried on its own, so that it stays where the owner cannot.
    if (::fchown(to, old.st_uid, old.st_gid) != 0)
        [[maybe_unused]] const int grouped = ::fchown(to, uid_t(-1), old.st_gid);
    struct stat given {};
    // Owner-only while the attributes go on: a user's attribute needs the
    // right to write, whatever the permissions are to be.
    if (::fstat(to, &given) != 0 || ::fchmod(to, S_IRUSR | S_IWUSR) != 0) {
        copy.failure = systemErrorText(errno);
        return copy;
    }
    copy.ownerKept = given.st_uid == old.st_uid;
    copy.groupKept = given.st_gid == old.st_gid;

    const auto lose = [&copy](const QByteArray& name, int error) {
        copy.lost << QStringLiteral("%1 (%2)").arg(QString::fromUtf8(name), systemErrorText(error));
        if (name == accessListName)
            copy.accessListKept = false;
    };
    std::optional<std::vector<QByteArray>> oldNames = namesOf(from);
    std::optional<std::vector<QByteArray>> newNames = oldNames ? namesOf(to) : std::nullopt;
    if (!oldNames || !newNames) {
        // Whether there is a list to keep is not known: none is kept.
        lose(QByteArrayLiteral("the list of extended attributes"), errno);
        copy.accessListKept = false;
        oldNames.emplace();
        newNames.emplace();
    }
    for (const QByteArray& name : *newNames) {
        if (!contains(*oldNames, name) && ::fremovexattr(to, name.constData()) != 0 && errno != ENODATA)
            lose(name, errno);
    }
    QByteArray oldAccessList;
    for (const QByteArray& name : *oldNames) {
        const std::optional<QByteArray> value = valueOf(from, name);
        if (value && name == accessListName)
            oldAccessList = *value;
        if (!value || ::fsetxattr(to, name.constData(), value->constData(), std::size_t(value->size()), 0) != 0)
            lose(name, errno);
    }
    // With its list in place the mode is the old one, mask included; without,
    // the group bits stand for the mask and could let the group do more.
    mode_t mode = copy.accessListKept ? old.st_mode & 07777 : modeWithoutAccessList(old.st_mode & 07777, oldAccessList);
    // The members of the group the copy is in instead were others to the
    // file: they get no more than others had.
    if (!copy.groupKept)
        mode = (mode & ~mode_t(070)) | (mode & (mode << 3) & 070);
    if (::fchmod(to, mode) != 0)
        copy.failure = systemErrorText(errno);
    return copy;
}

} // namespace platform
