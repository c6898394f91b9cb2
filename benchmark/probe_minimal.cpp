// SPDX-License-Identifier: GPL-3.0-or-later
// The floor any Qt Widgets program stands on: one empty window, shown.
#include "FirstPaint.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.show();
    new QuitAfterFirstPaint(&window);
    return application.exec();
}
