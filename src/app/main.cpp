#include "app/DisplayCheck.h"
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
    platform::Services services;
    services.locations = platform::Locations::forThisProgram();
    editor::Form1 window{std::move(services)};
    window.show();
    return application.exec();
}
