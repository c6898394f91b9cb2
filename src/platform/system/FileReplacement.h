// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/Steps.h"

#include <QByteArray>
#include <QString>

namespace platform {

struct FileWriteResult {
    bool written = false;
    QString reason; // why it failed, for the user
    // Where a failed write leaves the file in part written: the complete
    // copy of its earlier content. Empty when the file holds what it held
    // before (or, new, was not made).
    QString keptCopy;
};

// Makes bytes the whole content of the file at path, creating it if need be;
// a link is followed, and stays a link. An existing file keeps its owner,
// group, permissions, access control list, extended attributes and other
// names (hard links). Where it can, the text goes to a new file beside it
// that takes its place once complete (see NewFile), and a failure leaves it
// as it was. Where that would change the file (its folder is not writable,
// it has other names, it is not the user's own, or its attributes cannot
// all be given to another file), the file is written where it lies, whole
// or recoverably: see KeptCopy. Either way, a kept copy that an earlier,
// unfinished save left of this file is of no more use once it is written.
FileWriteResult replaceFileContent(const QString& path, const QByteArray& bytes, const StepHook& step = {});

} // namespace platform
