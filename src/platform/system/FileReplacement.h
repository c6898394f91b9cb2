// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

struct FileWriteResult {
    bool written = false;
    QString reason; // why it failed, for the user
};

// Makes bytes the whole content of the file at path, creating it if need be.
// An existing file keeps its owner, group, permissions, access control list,
// extended attributes and other names (hard links), and a failure leaves it
// as it was. Where it can, the text goes to a temporary file beside it that
// takes its place once complete; where that would change the file (its
// folder is not writable, it has other names, it is not the user's own, or
// its attributes cannot all be given to another file), the file is written
// in place, and on a failure its earlier content is put back.
FileWriteResult replaceFileContent(const QString& path, const QByteArray& bytes);

} // namespace platform
