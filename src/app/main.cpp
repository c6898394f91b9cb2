// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "app/ProgramStart.h"

int main(int argc, char* argv[])
{
    const app::CommandLineRequest request = app::readCommandLine(argc, argv);
    if (request.kind == app::CommandLineRequest::Kind::OpenWindow)
        return app::runProgram(argc, argv);
    return app::answerWithoutWindow(request);
}
