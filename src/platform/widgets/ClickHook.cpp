// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/ClickHook.h"

#include <QMouseEvent>
#include <QWidget>

namespace platform {

ClickHook::ClickHook(QWidget* control, std::function<void()> handler)
    : QObject(control), control(control), handler(std::move(handler))
{
    control->installEventFilter(this);
}

bool ClickHook::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const bool wasPressed = pressed;
            pressed = type == QEvent::MouseButtonPress;
            if (wasPressed && !pressed && control->rect().contains(mouse->position().toPoint()))
                handler();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
