// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamecheck/Finding.h"
#include "gamecheck/ShownName.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace gamecheck {

// Where the findings of one check go: the file as given, and the entry
// inside it when the file is an archive, as shownName shows it. A key or a
// value from the file is shown so that a finding stays one line.
struct Place {
    QByteArray file;
    QString entry;

    Place(QByteArray file, QString entry = {}) : file(std::move(file)), entry(std::move(entry)) {}
    // A path given as text, as the windows give it.
    Place(const QString& file, QString entry = {}) : Place(QFile::encodeName(file), std::move(entry)) {}

    void add(Findings& findings, Severity severity, const QByteArray& key, const QString& sentence) const
    {
        findings.push_back({severity, file, entry, shownName(key), withoutControls(sentence)});
    }
};

} // namespace gamecheck
