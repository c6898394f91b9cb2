// SPDX-License-Identifier: GPL-3.0-or-later
// Times the game check for tools/benchmark-check, in the process, without
// the program's start:
//
//   probe_gamecheck add ARCHIVE RUNS   the check Create runs before adding
//                                      an arena to ARCHIVE, RUNS times
//   probe_gamecheck files ARCHIVE...   checkFile on every ARCHIVE, once
//   probe_gamecheck open ARCHIVE RUNS  what File, Open reads of ARCHIVE and
//                                      makes of it for the chooser, RUNS times
#include "editor/ArenaChoices.h"
#include "editor/ArenaText.h"
#include "gamecheck/GameCheck.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstring>

namespace {

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv); // image readers come as plug-ins
    if (argc >= 4 && std::strcmp(argv[1], "add") == 0) {
        const QString archive = QString::fromLocal8Bit(argv[2]);
        const QByteArray text = editor::arenaText({"big", "", "Benchmark", "20", "ffa"});
        for (int run = 0; run < std::atoi(argv[3]); ++run) {
            QElapsedTimer timer;
            timer.start();
            const gamecheck::CheckResult result =
                gamecheck::checkArenaToAdd(text, archive, QStringLiteral("scripts/big.arena"));
            std::printf("check took %.2f ms, %zu findings\n", milliseconds(timer), result.findings.size());
        }
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "files") == 0) {
        QElapsedTimer timer;
        timer.start();
        std::size_t findings = 0;
        for (int index = 2; index < argc; ++index)
            findings += gamecheck::checkFile(QString::fromLocal8Bit(argv[index])).findings.size();
        std::printf("checked %d archives in %.2f ms, %zu findings\n", argc - 2, milliseconds(timer), findings);
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "open") == 0) {
        const QString archive = QString::fromLocal8Bit(argv[2]);
        for (int run = 0; run < std::atoi(argv[3]); ++run) {
            QElapsedTimer timer;
            timer.start();
            const gamecheck::FileToEdit file = gamecheck::readToEdit(archive);
            const std::size_t arenas = editor::arenaChoices(file).size();
            std::printf("open took %.2f ms, %zu arenas\n", milliseconds(timer), arenas);
        }
        return 0;
    }
    std::fprintf(stderr, "usage: probe_gamecheck add ARCHIVE RUNS | probe_gamecheck files ARCHIVE... | "
                         "probe_gamecheck open ARCHIVE RUNS\n");
    return 2;
}
