// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProgressDialog>

namespace platform {

// Work shorter than this finishes before a progress window shows, so the
// window does not flicker.
inline constexpr int quietWaitMilliseconds = 400;

// The progress window of a long piece of work: modal, titled like every
// message of the program, with a Stop button, and up until its owner hides
// it. A maximum of 0 shows work of unknown length.
class ProgressWindow final : public QProgressDialog {
public:
    ProgressWindow(QWidget* parent, const QString& text, int maximum);
};

} // namespace platform
