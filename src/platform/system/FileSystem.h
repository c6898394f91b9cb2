// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// The classic file operations on drive C, with drive C mapped onto a folder
// of this machine. Paths name drive C in any letter case ("c:\Scripts\",
// "C:\SCRIPTS\x.arena") or are relative to the current directory of the
// current drive; one folder answers to every case of its name, as on the
// case-insensitive file system these paths come from. Only drive C exists.
// Drive C, the only one, is always the current drive. Its current directory
// is the object's own: the process's working directory is never changed.
class FileSystem {
public:
    // Attribute of Dir that includes folders in the listing.
    static constexpr int Directory = 16;

    explicit FileSystem(QString driveCRoot);

    // Makes sure the folder that stands for drive C exists, private to the
    // user (mode 0700). Every other operation fails while it does not.
    bool prepareDrive();

    // The name of the first entry that matches the pattern ("c:\Scripts\*.*";
    // "*.*" matches every name), files always and folders, "." and ".."
    // included, when attributes has Directory; empty when nothing matches.
    // Fails (returns nothing) when the folder cannot be listed.
    std::optional<QString> Dir(const QString& pattern, int attributes) const;

    bool ChDir(const QString& path);
    bool ChDrive(const QString& drive);
    bool MkDir(const QString& path);
    bool RmDir(const QString& path);

    // Where a classic path lies on this machine; empty when it names no
    // place on drive C.
    QString hostPath(const QString& classicPath) const;
    QString driveRoot() const { return root; }

private:
    // The entries of a folder of this machine that answer to a name on drive
    // C, that is, that differ from it at most in letter case; in name order.
    static QStringList entriesAnsweringTo(const QString& hostFolder, const QString& name);

    QString resolveComponents(const QString& base, const QStringList& components) const;

    QString root;
    QString currentDirectory; // of drive C, relative to its root, with "/" between folders
};

} // namespace platform
