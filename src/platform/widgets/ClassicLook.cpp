// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/ClassicLook.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace platform {

QFont classicFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void applyClassicFont(QWidget* window)
{
    window->setFont(classicFont());
}

void widenCheckableControlsToTheirCaptions(QWidget* window)
{
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!qobject_cast<QCheckBox*>(button) && !qobject_cast<QRadioButton*>(button))
            continue;
        const int needed = button->sizeHint().width();
        if (needed > button->width())
            button->resize(needed, button->height());
    }
}

void removeDefaultButtons(QWidget* window)
{
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

} // namespace platform
