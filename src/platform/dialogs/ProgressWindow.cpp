// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs/ProgressWindow.h"

#include "platform/system/ProgramName.h"

#include <QProgressDialog>

namespace platform {

namespace {

std::unique_ptr<QProgressDialog> progressDialog(QWidget* parent, const QString& text, const QString& stop)
{
    auto window = std::make_unique<QProgressDialog>(text, stop, 0, 0, parent);
    window->setWindowTitle(programName);
    window->setWindowModality(Qt::ApplicationModal);
    window->setAutoClose(false);
    window->setAutoReset(false);
    window->setMinimumDuration(0);
    return window;
}

} // namespace

ProgressDisplay progressWindowOver(QWidget* parent)
{
    return [parent](const QString& text, std::function<void()> stop) -> std::unique_ptr<QObject> {
        auto window = progressDialog(parent, text, QObject::tr("&Stop"));
        QObject::connect(window.get(), &QProgressDialog::canceled, window.get(), std::move(stop));
        window->show();
        return window;
    };
}

std::unique_ptr<QObject> busyWindowOver(QWidget* parent, const QString& text)
{
    auto window = progressDialog(parent, text, QString());
    window->setCancelButton(nullptr);
    window->show();
    return window;
}

} // namespace platform
