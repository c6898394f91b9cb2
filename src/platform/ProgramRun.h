// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace platform {

// One run of an outside program that the caller waits for.
struct ProgramRunRequest {
    QString program;           // full path
    QStringList arguments;     // passed as they are, never through a shell
    QString workingFolder;
    QString progressText;      // shown while the run takes longer than a moment
    QStringList unsetVariables; // environment variables the program must not see
    std::function<void()> whileRunning; // called every 20 ms or so until it ends
};

struct ProgramRunOutcome {
    enum class Status { Succeeded, FailedToStart, Crashed, ExitedWithError, Stopped };
    Status status = Status::FailedToStart;
    int exitCode = -1;
    QByteArray output; // what it wrote, for the curious
};

// Runs a program without a window of its own and waits for it to end. The
// caller's window keeps painting; when the run takes longer than a moment,
// a modal progress window says so and lets the user stop it.
ProgramRunOutcome runProgram(QWidget* parent, const ProgramRunRequest& request);

} // namespace platform
