// Starts exactly as the program does and ends once its window is painted.
#include "FirstPaint.h"
#include "app/MainWindowStart.h"
#include "editor/Form1.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const auto window = app::showMainWindow();
    new QuitAfterFirstPaint(window.get());
    return application.exec();
}
