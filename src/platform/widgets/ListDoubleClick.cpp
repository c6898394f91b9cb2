// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/ListDoubleClick.h"

#include <QEvent>
#include <QListWidget>

namespace platform {

ListDoubleClick::ListDoubleClick(QListWidget* list, std::function<void()> handler)
    : QObject(list), handler(std::move(handler))
{
    list->viewport()->installEventFilter(this);
    connect(list, &QListWidget::itemDoubleClicked, this, [this] { entryDoubleClicked = true; });
}

bool ListDoubleClick::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // A release that never came must not turn a later click into a
        // double-click.
        entryDoubleClicked = false;
        break;
    case QEvent::MouseButtonRelease:
        if (entryDoubleClicked) {
            entryDoubleClicked = false;
            // Queued, so that it runs after the list has handled this release.
            QMetaObject::invokeMethod(this, handler, Qt::QueuedConnection);
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
