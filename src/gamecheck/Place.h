// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamecheck/Finding.h"

#include <QByteArray>
#include <QString>

namespace gamecheck {

// Where the findings of one check go: the file as given, and the entry
// inside it when the file is an archive.
struct Place {
    QString file;
    QString entry;

    void add(Findings& findings, Severity severity, const QByteArray& key, const QString& sentence) const
    {
        findings.push_back({severity, file, entry, QString::fromLatin1(key), sentence});
    }
};

} // namespace gamecheck
