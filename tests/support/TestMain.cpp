// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Testing.h"

int main(int argc, char* argv[])
{
    // Widgets need an application; tests never need a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // Nor the user's own folders: what a save keeps while it writes in
    // place, and the checksums the checks remember, stay the tests'.
    const QTemporaryDir home;
    qputenv("XDG_STATE_HOME", QFile::encodeName(home.filePath("state")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.filePath("cache")));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
