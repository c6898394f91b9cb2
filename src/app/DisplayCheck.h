// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace app {

// Qt aborts with a long message when it finds no display to open windows
// on. Returns the one line to print instead, or an empty text when a
// display (or a platform that needs none) is there.
QString missingDisplayMessage();

} // namespace app
