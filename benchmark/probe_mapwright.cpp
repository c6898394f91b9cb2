// SPDX-License-Identifier: GPL-3.0-or-later
// Starts exactly as the program does and ends once its window is painted.
#include "FirstPaint.h"
#include "app/ProgramStart.h"

int main(int argc, char* argv[])
{
    return app::runProgram(argc, argv, {}, [](QWidget& window) { new QuitAfterFirstPaint(&window); });
}
