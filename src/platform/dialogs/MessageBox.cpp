// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs/MessageBox.h"

#include <QMessageBox>

namespace platform {

void QtMessageBox::show(QWidget* parent, const QString& prompt, int style, const QString& title)
{
    const QMessageBox::Icon icon = style == Information ? QMessageBox::Information : QMessageBox::Warning;
    QMessageBox box(icon, title, prompt, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace platform
