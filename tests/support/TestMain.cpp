// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Testing.h"

#include <unistd.h>

int main(int argc, char* argv[])
{
    // Widgets need an application; tests never need a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a login session (root in CI, a container) there is no runtime
    // folder, and Qt warns at each test program's start before it makes one
    // of its own in the temporary folder: name such a folder first.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(QDir::tempPath() + QStringLiteral("/runtime-%1").arg(::getuid())));
    QApplication application(argc, argv);
    // Nor the user's own folders: what a save keeps while it writes in
    // place, and the checksums the checks remember, stay the tests'.
    const QTemporaryDir home;
    qputenv("XDG_STATE_HOME", QFile::encodeName(home.filePath("state")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.filePath("cache")));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
