// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace gamecheck {

enum class Severity {
    Error,  // the game will drop, hide or misread something
    Advice, // worth knowing, but nothing is lost
};

// One thing the game will do with a file that its author may not expect.
struct Finding {
    Severity severity = Severity::Advice;
    QByteArray file; // the path as given, as the file system spells it: the .arena file or the .pk3; shownName shows it
    QString entry; // the entry inside the archive, as shownName shows it; empty for a loose file or the archive itself
    QString key;   // the arena key concerned, as shownName shows it; empty when the finding is about a whole file
    QString sentence; // what the game will do, in one plain sentence on one line
    int arena = -1;   // the arena of the file it is about, by its place among the file's blocks from 0; -1 for none

    bool operator==(const Finding&) const = default;
};

using Findings = std::vector<Finding>;

// Whether any finding means the game will lose something.
bool hasErrors(const Findings& findings);

// Moves findings about one file to `to`, with its path as the file system
// spells it, whatever text named it while it was checked.
void moveFindingsOf(const QByteArray& file, Findings& findings, Findings& to);

} // namespace gamecheck
