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

bool QtMessageBox::ask(QWidget* parent, const QString& question, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title, question, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace platform
