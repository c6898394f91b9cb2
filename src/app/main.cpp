#include "app/DisplayCheck.h"
#include "app/MainWindowStart.h"
#include "editor/Form1.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (const QString message = app::missingDisplayMessage(); !message.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        return 1;
    }
    QApplication application(argc, argv);
    const auto window = app::showMainWindow();
    return application.exec();
}
