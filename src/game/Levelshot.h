// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace game {

// The picture names the menu tries for a map's levelshot, in its order.
QByteArrayList levelshotNames(const QByteArray& map);

// How many bytes from the start of a levelshot tell whether the game's
// renderer can load it.
std::uint64_t levelshotHeaderSize(const QByteArray& entryName);

// Why a renderer cannot load the levelshot that starts with `header`.
struct LevelshotFault {
    QString problem;        // in a few words ("a TGA of type 1"); empty when every renderer loads it
    bool onlyId132 = false; // only id's 1.32 renderer fails: ioquake3's and Quake3e's convert it first
};
LevelshotFault levelshotFault(const QByteArray& entryName, const QByteArray& header);

// The format the renderer reads a levelshot in, by its name's extension:
// "tga", "jpg" (for .jpg and .jpeg) or "png".
QByteArray levelshotFormat(const QByteArray& entryName);

} // namespace game
