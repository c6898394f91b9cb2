// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/BotList.h"

#include "game/InfoFile.h"

#include <algorithm>

namespace game {

namespace {

// The console's words: it reads bytes as signed characters, so every byte
// up to the space and every byte from 0x80 up parts them; a line break
// ends the command, "//" starts a comment to its end, and "/*" one to "*/".
QByteArrayList consoleWords(const QByteArray& piece)
{
    const QByteArray command = piece.left(piece.indexOf('\n') < 0 ? piece.size() : piece.indexOf('\n'))
                                   .split('\r').first();
    const auto startsComment = [&](qsizetype at, char second) {
        return at + 1 < command.size() && command[at] == '/' && command[at + 1] == second;
    };
    QByteArrayList words;
    qsizetype at = 0;
    while (true) {
        while (at < command.size() && isGameWhiteSpace(command[at]))
            ++at;
        if (at >= command.size() || startsComment(at, '/'))
            return words;
        if (startsComment(at, '*')) {
            const qsizetype end = command.indexOf("*/", at + 2);
            if (end < 0)
                return words;
            at = end + 2;
            continue;
        }
        const qsizetype start = at;
        while (at < command.size() && !isGameWhiteSpace(command[at]) && !startsComment(at, '/') && !startsComment(at, '*'))
            ++at;
        words << command.mid(start, at - start);
    }
}

} // namespace

std::vector<BotRequest> botRequests(const QByteArray& list)
{
    std::vector<BotRequest> requests;
    qsizetype at = 0;
    while (at < list.size()) {
        while (at < list.size() && list[at] == ' ')
            ++at;
        const qsizetype start = at;
        while (at < list.size() && list[at] != ' ')
            ++at;
        BotRequest request{list.mid(start, at - start), {}, {}};
        const QByteArrayList words = consoleWords(request.piece);
        if (!words.isEmpty())
            request.name = words[0];
        if (words.size() > 1)
            request.skill = words[1];
        request.more = std::count_if(request.piece.begin(), request.piece.end(), [](char c) { return !isGameWhiteSpace(c); })
            > request.name.size();
        requests.push_back(std::move(request));
        if (at < list.size())
            ++at;
    }
    return requests;
}

} // namespace game
