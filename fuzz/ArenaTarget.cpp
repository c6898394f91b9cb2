// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: bytes as an arena file, and as a bot file beside it,
// through the game's parser and the check's field rules.
#include "FindingsStayLines.h"
#include "gamecheck/ArenaFileRules.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    gamecheck::KnownBots bots;
    bots.addBotFile(text);
    gamecheck::Findings findings;
    gamecheck::checkArenaFile(text, bots, {QStringLiteral("fuzz.arena"), {}}, findings);
    requireOneLineEach(findings);
    return 0;
}
