// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

// Ends the program as soon as the window has been painted for the first
// time, so that the run's length is the time until the window is shown.
// It ends without tearing anything down: teardown is no part of starting, and
// Qt's costs a text-free window the font set-up that it never needed before.
class QuitAfterFirstPaint final : public QObject {
public:
    explicit QuitAfterFirstPaint(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
        return QObject::eventFilter(watched, event);
    }
};
