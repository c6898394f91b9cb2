// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/SearchPath.h"

#include <QByteArrayList>
#include <QStringList>

#include <cstdio>

namespace app {

// What the program was asked to do on its command line.
struct CommandLineRequest {
    enum class Kind {
        OpenWindow, // Qt's own options go on to Qt; `paths` holds the file to open, if any
        ShowHelp,
        ShowVersion,
        Check,
        Refuse,     // `problem` says why; exit status 2
    };
    Kind kind = Kind::OpenWindow;
    QByteArrayList paths; // as the command line gives them: bytes, as the file system spells them
    QString problem;
    game::Locations where; // for Check: the game and its folders, as far as the options tell
};

CommandLineRequest readCommandLine(int argc, char* argv[]);

// Runs `mapwright check` on the paths, one line per finding on `out` and
// one per unreadable path on `err`. Returns the exit status: 0 when the game
// loses nothing, 1 when it would, 2 when a path could not be read.
int runCheck(const QByteArrayList& paths, const game::Locations& where, std::FILE* out, std::FILE* err);

// Acts on any request but OpenWindow, printing as a command-line program
// does, and returns the exit status. Starts no GUI: it needs no display.
int answerWithoutWindow(const CommandLineRequest& request);

} // namespace app
