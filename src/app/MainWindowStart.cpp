#include "app/MainWindowStart.h"

#include "editor/Form1.h"

namespace app {

std::unique_ptr<editor::Form1> showMainWindow()
{
    platform::Services services;
    services.locations = platform::Locations::forThisProgram();
    auto window = std::make_unique<editor::Form1>(std::move(services));
    window->show();
    return window;
}

} // namespace app
