// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace editor {

// Removes leading and trailing space characters, and nothing else: tabs and
// line breaks are part of the value.
QString trimSpaces(const QString& text);

} // namespace editor
