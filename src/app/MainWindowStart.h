#pragma once

#include <memory>

namespace editor {
class Form1;
}

namespace app {

// What starting the program does once the application object exists:
// create the main window with the real services and show it.
std::unique_ptr<editor::Form1> showMainWindow();

} // namespace app
