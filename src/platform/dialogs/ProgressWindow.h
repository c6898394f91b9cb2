// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/ProgramRun.h"

class QWidget;

namespace platform {

// The progress window of a long run: modal over `parent`, titled like every
// message of the program, showing work of unknown length, with a Stop
// button that asks the run to stop.
ProgressDisplay progressWindowOver(QWidget* parent);

// The same for work that cannot stop midway, without a Stop button, shown
// for as long as the object lives.
std::unique_ptr<QObject> busyWindowOver(QWidget* parent, const QString& text);

} // namespace platform
