// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/ProgramRun.h"

class QWidget;

namespace platform {

// The progress window of a long run: modal over `parent`, titled like every
// message of the program, showing work of unknown length, with a Stop
// button that asks the run to stop.
ProgressDisplay progressWindowOver(QWidget* parent);

} // namespace platform
