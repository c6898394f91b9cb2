// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/AccessKeys.h"

#include <QAbstractButton>
#include <QShortcutEvent>

namespace platform {

AccessKeyPreference::AccessKeyPreference(QAbstractButton* preferred, QObject* rival)
    : QObject(preferred), preferred(preferred)
{
    preferred->installEventFilter(this);
    rival->installEventFilter(this);
}

bool AccessKeyPreference::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (shortcut->isAmbiguous() && shortcut->key() == preferred->shortcut()) {
            preferred->animateClick();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
