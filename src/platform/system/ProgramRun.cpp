// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/ProgramRun.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <csignal>
#include <sys/prctl.h>

namespace platform {

namespace {

// A stopped program gets this long to clean up before it is killed.
constexpr int stopGraceMilliseconds = 3000;
constexpr int whileRunningMilliseconds = 20;

void configure(QProcess& process, const ProgramRunRequest& request)
{
    process.setProgram(request.program);
    process.setArguments(request.arguments);
    process.setWorkingDirectory(request.workingFolder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : request.unsetVariables)
        environment.remove(name);
    process.setProcessEnvironment(environment);
    if (request.standardInput.isEmpty())
        process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::MergedChannels);
    // Should this program be killed, the one it waits for goes too, instead
    // of working on unseen.
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

void stop(QProcess& process)
{
    // A polite stop lets the archiver remove its temporary copy.
    process.terminate();
    if (!process.waitForFinished(stopGraceMilliseconds)) {
        process.kill();
        process.waitForFinished();
    }
}

ProgramRunOutcome outcomeOf(QProcess& process, bool stopped)
{
    ProgramRunOutcome outcome;
    outcome.output = process.readAll();
    if (stopped) {
        outcome.status = ProgramRunOutcome::Status::Stopped;
    } else if (process.exitStatus() == QProcess::CrashExit) {
        outcome.status = ProgramRunOutcome::Status::Crashed;
    } else {
        outcome.exitCode = process.exitCode();
        outcome.status = outcome.exitCode == 0 ? ProgramRunOutcome::Status::Succeeded
                                               : ProgramRunOutcome::Status::ExitedWithError;
    }
    return outcome;
}

} // namespace

ProgramRunOutcome runProgram(const ProgramRunRequest& request)
{
    QProcess process;
    configure(process, request);
    process.start(request.standardInput.isEmpty() ? QIODevice::ReadOnly : QIODevice::ReadWrite);
    if (!process.waitForStarted())
        return {};
    if (!request.standardInput.isEmpty()) {
        process.write(request.standardInput);
        process.closeWriteChannel(); // once written: the program reads to its end
    }
    // A short run ends before anything shows; input waits meanwhile, as it
    // would for any short task.
    QElapsedTimer quiet;
    quiet.start();
    while (quiet.elapsed() < quietWaitMilliseconds) {
        if (process.waitForFinished(whileRunningMilliseconds))
            return outcomeOf(process, false);
        if (request.whileRunning)
            request.whileRunning();
    }

    QEventLoop loop;
    QTimer ticks;
    if (request.whileRunning) {
        QObject::connect(&ticks, &QTimer::timeout, &loop, request.whileRunning);
        ticks.start(whileRunningMilliseconds);
    }
    bool stopped = false;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    std::unique_ptr<QObject> progress;
    if (request.showProgress) {
        progress = request.showProgress(request.progressText, [&] {
            stopped = true;
            loop.quit();
        });
    }
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    progress.reset();

    if (stopped && process.state() != QProcess::NotRunning)
        stop(process);
    else
        stopped = false;
    return outcomeOf(process, stopped);
}

} // namespace platform
