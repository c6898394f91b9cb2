// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs/Services.h"

#include <QString>

class QWidget;

namespace editor {

// Before the file at `path` is opened: where a save of it did not finish
// and left a copy of what it held before, asks whether to put that copy
// back (No, the default, opens the file as it is). False when the copy was
// to go back and could not: the user has been told why, and nothing is to
// be opened.
bool offerKeptCopyBack(QWidget* window, const platform::Services& services, const QString& path);

} // namespace editor
