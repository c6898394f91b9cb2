#pragma once

#include "platform/Locations.h"
#include "platform/MessageBox.h"
#include "platform/SaveDialogBackend.h"

#include <memory>

namespace platform {

// What the windows need of the platform. The program uses the real modal
// pieces; tests put scripted stand-ins in their place and point the
// locations at folders of their own.
struct Services {
    std::shared_ptr<MessageBox> messageBox = std::make_shared<QtMessageBox>();
    std::shared_ptr<SaveDialogBackend> saveDialog = std::make_shared<QtSaveDialog>();
    Locations locations;
};

} // namespace platform
