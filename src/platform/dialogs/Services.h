// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs/ChoiceWindow.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/OpenDialogBackend.h"
#include "platform/dialogs/ReportWindow.h"
#include "platform/dialogs/SaveDialogBackend.h"
#include "platform/system/Locations.h"
#include "platform/system/ProcessStarter.h"

#include <functional>
#include <memory>

namespace platform {

// What the windows need of the platform. The program uses the real pieces;
// tests put scripted stand-ins in place of the modal ones and of the process
// start, and point the locations at folders of their own.
struct Services {
    std::shared_ptr<MessageBox> messageBox = std::make_shared<QtMessageBox>();
    std::shared_ptr<SaveDialogBackend> saveDialog = std::make_shared<QtSaveDialog>();
    Locations locations;
    std::shared_ptr<ProcessStarter> processStarter = std::make_shared<QtProcessStarter>();
    std::shared_ptr<OpenDialogBackend> openDialog = std::make_shared<QtOpenDialog>();
    std::shared_ptr<ReportWindow> reportWindow = std::make_shared<QtReportWindow>();
    std::shared_ptr<ChoiceWindow> choiceWindow = std::make_shared<QtChoiceWindow>();
    // Called as long work passes a named step, so that tests can stop or kill
    // it there; the program leaves it empty.
    std::function<void(const char* step)> stepReached;
};

} // namespace platform
