// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgressWindow.h"

namespace platform {

ProgressWindow::ProgressWindow(QWidget* parent, const QString& text, int maximum)
    : QProgressDialog(text, QObject::tr("&Stop"), 0, maximum, parent)
{
    setWindowTitle(QStringLiteral("Mapwright"));
    setWindowModality(Qt::ApplicationModal);
    setAutoClose(false);
    setAutoReset(false);
}

} // namespace platform
