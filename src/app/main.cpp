// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "app/ProgramStart.h"

#include <QFile>

#include <cstdlib>

int main(int argc, char* argv[])
{
    // libzip turns each entry's DOS time into a time_t with mktime, and
    // glibc looks at the zone file again at every call while TZ is unset:
    // a stat() per entry, most of reading a directory of 65,000 entries.
    // Named, the same zone is read once. Set before any thread starts.
    ::setenv("TZ", ":/etc/localtime", 0);
    const app::CommandLineRequest request = app::readCommandLine(argc, argv);
    if (request.kind == app::CommandLineRequest::Kind::OpenWindow)
        return app::runProgram(argc, argv, QFile::decodeName(request.paths.value(0)));
    return app::answerWithoutWindow(request);
}
