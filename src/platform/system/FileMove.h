// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace platform {

// Puts a complete file in the place of another in one rename, so that
// whoever reads the target sees either the old file or the new one, never a
// part of either. The new file gets the old one's permissions, and its group
// where the user may give it; it is on the disk before the rename. With no
// file at the target it refuses to replace one that appears meanwhile.
// Returns why it failed, for the user; empty when the file is in place.
QString moveIntoPlace(const QString& completeFile, const QString& target, bool targetExists);

// Has the disk start writing what is in the files of `folder`, without
// waiting for it, so that the disk keeps up with a program writing a large
// file there: moveIntoPlace then waits only for the last part. Links are
// passed over: what they lead to is not the folder's own.
void startWritingOut(const QString& folder);

} // namespace platform
