// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/FileIdentity.h"

#include <QString>

#include <optional>

namespace platform {

struct MoveOutcome {
    enum class Status { Moved, TargetChanged, Failed };
    Status status = Status::Failed;
    QString reason; // why it failed, for the user
};

// Puts a complete file in the place of another in one rename, so that
// whoever reads the target sees either the old file or the new one, never a
// part of either. The new file is on the disk before the rename. It replaces
// only the file it was made from: `targetAsRead` is that file's identity
// when it was read, and a target that no longer has it, changed or replaced
// meanwhile, is left as it is (TargetChanged). With no file read
// (nothing), it refuses to replace one that appears meanwhile.
MoveOutcome moveIntoPlace(const QString& completeFile, const QString& target,
                          const std::optional<FileIdentity>& targetAsRead);

// Has the disk start writing what is in the files of `folder`, without
// waiting for it, so that the disk keeps up with a program writing a large
// file there: moveIntoPlace then waits only for the last part. Links are
// passed over: what they lead to is not the folder's own.
void startWritingOut(const QString& folder);

} // namespace platform
