// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace game {

// The classic menu draws each levelshot stretched over 128 by 96 of its 640
// by 480 screen, whatever the picture's own size (q3_ui's ui_startserver.c).
inline constexpr QSize levelshotSizeInMenu{128, 96};

// The levelshot `bytes` hold, stretched to `size` as the menu stretches it,
// read as the renderer reads it (a TGA's rows from the bottom up unless its
// header says otherwise); a null image where the renderer cannot load it,
// or where it is more than 2,048 pixels on a side, larger than any
// levelshot needs to be.
QImage levelshotPicture(const QByteArray& entryName, const QByteArray& bytes, QSize size);

} // namespace game
