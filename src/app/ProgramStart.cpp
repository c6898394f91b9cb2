// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramStart.h"

#include "app/DisplayCheck.h"
#include "app/FontConfigurationWarmUp.h"
#include "editor/Form1.h"
#include "platform/widgets/ClassicLook.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace app {

int runProgram(int argc, char* argv[], const QString& file, const std::function<void(QWidget&)>& whenShown)
{
    if (const QString message = missingDisplayMessage(); !message.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        return 1;
    }
    FontConfigurationWarmUp fontWarmUp;
    QApplication application(argc, argv);
    // Desktops match the windows to the installed desktop file and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(MAPWRIGHT_APP_ID));
    // Menus and message boxes speak in the windows' classic font as well;
    // the menus would otherwise load the default font at start for nothing.
    QApplication::setFont(platform::classicFont());
    fontWarmUp.finish();

    platform::Services services;
    services.locations.programFolder = QCoreApplication::applicationDirPath();
    editor::Form1 window{std::move(services)};
    window.show();
    if (whenShown)
        whenShown(window);
    // Once the window is up, so that what goes wrong is told in it.
    if (!file.isEmpty())
        QTimer::singleShot(0, &window, [&window, file] { window.openFile(file); });
    return application.exec();
}

} // namespace app
