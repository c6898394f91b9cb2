// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/ArenaText.h"
#include "game/InfoFile.h"

#include <QByteArray>

namespace editor {

// The bytes of `block`, which lies in `text`, with the window's values in
// it and everything else as its author left it: a value that changed takes
// the place of the old one's bytes, quoted as that was (or quoted when it
// must be, to read back as one value); a key the block lacked and the
// window sets comes after its last key, in the block's own layout; the rest,
// the keys' order, spacing, quotes, comments and line ends, byte for byte.
QByteArray editedBlock(const QByteArray& text, const game::InfoBlock& block, const ArenaValues& values);

// How many comments lie within the block, between its words.
int commentsIn(const QByteArray& text, const game::InfoBlock& block);

} // namespace editor
