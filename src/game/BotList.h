// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayList>

#include <vector>

namespace game {

// One bot that the game asks for, for an arena's bot list: it cuts the
// list at spaces only and sends each piece as the console command
// "addbot <piece> <skill> free <delay>". The console splits that command
// at any white space, tabs and bytes from 0x80 up among it, and ends it
// at a comment, so the bot it adds is the piece's first word, and a
// second word takes the place of the skill level.
struct BotRequest {
    QByteArray piece; // the list's bytes between spaces, as the game sends them
    QByteArray name;  // the bot the console adds; empty when the piece holds no word for it
    QByteArray skill; // the word read as the skill level in place of the game's, if any
    bool more = false; // the piece holds more than the name, which the console takes for something else
};

// The requests for a bot list, in its order.
std::vector<BotRequest> botRequests(const QByteArray& list);

} // namespace game
