// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/Steps.h"

#include <QString>

#include <optional>

namespace platform {

// A complete copy of a file's content, kept while the file is written where
// it lies, so that a write cut short by a failure, a kill or a crash can be
// undone. It is on the disk before the file is touched, and goes once the
// new content is; otherwise it stays until it is put back or the file is
// next saved. Paths name the file as the user does: links are followed.

// Where the copy of the file at `path` is kept, or would be.
QString keptCopyPath(const QString& path);

// Copies the content of the file at `path`, open as `descriptor`, to its
// kept copy, which has reached the disk when this returns; an earlier copy
// of the same file gives way to it. Empty when done, else why not.
QString keepCopy(const QString& path, int descriptor, const StepHook& step);

// Writes the kept copy of the file at `path` into that file, open as
// `descriptor`, in its place, and waits for it to reach the disk. The copy
// stays. Empty when done, else why not.
QString putBack(const QString& path, int descriptor);

// Removes the kept copy of the file at `path`, if there is one.
void dropKeptCopy(const QString& path);

// Puts the kept copy of the file at `path` back in its place, then removes
// the copy. Empty when done, else why not; the copy then stays.
QString restoreFromKeptCopy(const QString& path);

// The kept copy of the file at `path` when there is one that differs from
// the file; one that holds what the file holds is of no more use, and is
// removed.
std::optional<QString> differingKeptCopy(const QString& path);

} // namespace platform
