// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/ModalForm.h"

#include "platform/widgets/ClassicLook.h"

#include <QKeyEvent>

namespace platform {

ModalForm::ModalForm(QWidget* parent)
    : QDialog(parent)
{
    applyClassicFont(this);
}

void ModalForm::finishClassicSetup()
{
    removeDefaultButtons(this);
    widenCheckableControlsToTheirCaptions(this);
    setFixedSize(size());
}

void ModalForm::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // QDialog would reject on Escape and press a button on Enter.
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace platform
