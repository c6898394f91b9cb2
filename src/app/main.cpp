// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramStart.h"

int main(int argc, char* argv[])
{
    return app::runProgram(argc, argv);
}
