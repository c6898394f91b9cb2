// SPDX-License-Identifier: GPL-3.0-or-later
// The pk3 route on its own, headless, with the messages printed instead of
// shown and every question answered No: for timing the route, for several
// runs at once, and for tests that kill the whole program at a step of the
// route.
//
//   pk3_route_headless PROGRAM_FOLDER DRIVE_C ARCHIVE MAP [KILL_AT]
//
// KILL_AT names a step of the route, or "writing"; there the program kills
// itself as a crash or a kill would end it.
#include "editor/ArenaText.h"
#include "editor/pk3/Pk3Route.h"
#include "support/ArchiverWatch.h"

#include <QApplication>
#include <QElapsedTimer>

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

// Nobody is there to answer a question: it is printed, and answered No.
struct PrintedMessageBox final : platform::MessageBox {
    void show(QWidget*, const QString& prompt, int style, const QString&) override
    {
        std::printf("message %d: %s\n", style, qPrintable(QString(prompt).replace('\n', ' ')));
    }
    bool ask(QWidget*, const QString& question, const QString&) override
    {
        std::printf("question: %s answered: No\n", qPrintable(QString(question).replace('\n', ' ')));
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 5) {
        std::fprintf(stderr, "usage: pk3_route_headless PROGRAM_FOLDER DRIVE_C ARCHIVE MAP [KILL_AT]\n");
        return 2;
    }
    const QString archive = QString::fromLocal8Bit(argv[3]);
    const QByteArray killAt = argc > 5 ? QByteArray(argv[5]) : QByteArray();
    platform::Services services;
    services.messageBox = std::make_shared<PrintedMessageBox>();
    services.locations = {QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2])};
    services.stepReached = [&](const char* step) {
        if (killAt == step)
            ::raise(SIGKILL);
        if (killAt == "writing" && std::strcmp(step, "archiver about to start") == 0)
            whenTheArchiverIs(ArchiverMoment::Writing, QFileInfo(archive).path(), [](pid_t) { ::raise(SIGKILL); });
    };
    const editor::ArenaValues values{QString::fromLocal8Bit(argv[4]), "", "Headless", "10", "ffa"};
    QElapsedTimer timer;
    timer.start();
    editor::Pk3Route(services, nullptr).run(archive, values);
    std::printf("route took %.1f ms\n", double(timer.nsecsElapsed()) / 1e6);
    return 0;
}
