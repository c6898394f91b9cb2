// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs/ProgressWindow.h"

#include "platform/system/ProgramName.h"

#include <QProgressDialog>

namespace platform {

ProgressDisplay progressWindowOver(QWidget* parent)
{
    return [parent](const QString& text, std::function<void()> stop) -> std::unique_ptr<QObject> {
        auto window = std::make_unique<QProgressDialog>(text, QObject::tr("&Stop"), 0, 0, parent);
        window->setWindowTitle(programName);
        window->setWindowModality(Qt::ApplicationModal);
        window->setAutoClose(false);
        window->setAutoReset(false);
        window->setMinimumDuration(0);
        QObject::connect(window.get(), &QProgressDialog::canceled, window.get(), std::move(stop));
        window->show();
        return window;
    };
}

} // namespace platform
