// SPDX-License-Identifier: GPL-3.0-or-later
// The floor any Qt Widgets program with text stands on: an empty main
// window with one menu, "&File", shown; its caption loads the font stack as
// any window with text does.
#include "FirstPaint.h"

#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.show();
    new QuitAfterFirstPaint(&window);
    return application.exec();
}
