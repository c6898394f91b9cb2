// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <QObject>

#include <functional>
#include <memory>

namespace platform {

// Work shorter than this finishes before anything shows that it is under
// way, so that nothing flickers.
inline constexpr int quietWaitMilliseconds = 400;

// Shows the user that a run is under way, with `text`, and lets the user
// ask it to stop through `stop`; what it returns stays on show until the
// run ends.
using ProgressDisplay = std::function<std::unique_ptr<QObject>(const QString& text, std::function<void()> stop)>;

// One run of an outside program that the caller waits for.
struct ProgramRunRequest {
    QString program;           // full path
    QStringList arguments;     // passed as they are, never through a shell
    QByteArray standardInput;  // what the program reads; with none, it reads nothing
    QString workingFolder;
    QString progressText;      // shown while the run takes longer than a moment
    QStringList unsetVariables; // environment variables the program must not see
    std::function<void()> whileRunning; // called every 20 ms or so until it ends
    ProgressDisplay showProgress;        // once the run has lasted a moment
};

struct ProgramRunOutcome {
    enum class Status { Succeeded, FailedToStart, Crashed, ExitedWithError, Stopped };
    Status status = Status::FailedToStart;
    int exitCode = -1;
    QByteArray output; // what it wrote, for the curious
};

// Runs a program without a window of its own and waits for it to end,
// handling events meanwhile so that windows keep painting. When the run
// takes longer than a moment, the request's progress display says so and
// may stop it.
ProgramRunOutcome runProgram(const ProgramRunRequest& request);

} // namespace platform
