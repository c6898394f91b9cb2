// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace platform {

// What a marked folder may hold besides its mark, by name and kind: the
// work done in it makes these, and nothing else is taken for its own.
enum class EntryKind { File, Link };
using KnownEntries = std::function<bool(const QByteArray& name, EntryKind kind)>;

// A folder of the program's own among a user's files, named a prefix and six
// characters, and marked as its own before anything else goes in: so that a
// folder a killed run left can be told from a user's folder of a like name,
// and removed. It goes, with what it holds, only when every entry in it is
// known and no run holds it; links are removed, never followed.
class MarkedFolder {
public:
    // The file that marks it, with a text of the program's own.
    static constexpr const char* markName = "made-by-mapwright";

    MarkedFolder(const QString& parent, const QByteArray& prefix, KnownEntries known);
    ~MarkedFolder();
    MarkedFolder(const MarkedFolder&) = delete;
    MarkedFolder& operator=(const MarkedFolder&) = delete;

    bool isValid() const { return !folder.isEmpty(); }
    QString errorString() const { return error; }
    QString path() const { return folder; }

    // Removes the folder; false when it stays, as it does when it holds what
    // is not known.
    bool remove();

    // Removes the folders in `parent` named `prefix` and six letters or
    // digits that prove to be a stopped run's own: this user's, marked,
    // holding only the mark and known entries, and held by no run. Every
    // other folder stays as it is.
    static void removeLeftovers(const QString& parent, const QByteArray& prefix, const KnownEntries& known);

private:
    QString folder;
    QString error;
    int parentDescriptor = -1;
    int held = -1; // the folder, locked while the run lasts
    KnownEntries known;
};

} // namespace platform
