// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace app {

// Starts the program: checks for a display, creates the application and the
// main window with the real services, shows it, opens `file` in it if one
// is named, and runs until the program ends. whenShown, if given, sees the
// main window right after it is shown.
int runProgram(int argc, char* argv[], const QString& file = {}, const std::function<void(QWidget&)>& whenShown = {});

} // namespace app
