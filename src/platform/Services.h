#pragma once

#include "platform/MessageBox.h"
#include "platform/ProcessStarter.h"
#include "platform/SaveDialogBackend.h"

#include <memory>

namespace platform {

// The modal pieces of the platform that the windows use. The program uses
// the real ones; tests put scripted stand-ins in their place.
struct Services {
    std::shared_ptr<MessageBox> messageBox = std::make_shared<QtMessageBox>();
    std::shared_ptr<SaveDialogBackend> saveDialog = std::make_shared<QtSaveDialog>();
    std::shared_ptr<ProcessStarter> processStarter = std::make_shared<QtProcessStarter>();
};

} // namespace platform
