#pragma once

#include <QString>

namespace platform {

// The folders the pk3 route works with.
struct Locations {
    QString programFolder; // where the program's executable, and the archiver, lie
    QString driveCRoot;    // the folder that stands for drive C

    // The program's own folder, and a folder private to the user for drive
    // C: under the runtime folder ($XDG_RUNTIME_DIR, which only the user can
    // enter), never in a folder shared with other users.
    static Locations forThisProgram();
};

} // namespace platform
