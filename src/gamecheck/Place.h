// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamecheck/Finding.h"
#include "gamecheck/ShownName.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace gamecheck {

// Where the findings of one check go: the file as given, the entry inside
// it when the file is an archive, as shownName shows it, and the arena
// within that file when they are about one. A key or a
// value from the file is shown so that a finding stays one line.
struct Place {
    QByteArray file;
    QString entry;
    int arena = -1; // one arena of the file, by its place among the file's blocks; -1 for the whole file

    Place(QByteArray file, QString entry = {}, int arena = -1)
        : file(std::move(file)), entry(std::move(entry)), arena(arena)
    {
    }
    // A path given as text, as the windows give it.
    Place(const QString& file, QString entry = {}) : Place(QFile::encodeName(file), std::move(entry)) {}

    Place inArena(int index) const { return Place(file, entry, index); }

    void add(Findings& findings, Severity severity, const QByteArray& key, const QString& sentence) const
    {
        findings.push_back({severity, file, entry, shownName(key), withoutControls(sentence), arena});
    }
};

} // namespace gamecheck
