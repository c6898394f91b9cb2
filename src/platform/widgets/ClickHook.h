// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace platform {

// The Click event of a control that has none of its own, such as a label:
// the left button pressed on the control and released over it. A double
// click counts once, as the second press is a double click, not a click.
class ClickHook final : public QObject {
public:
    ClickHook(QWidget* control, std::function<void()> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* control;
    std::function<void()> handler;
    bool pressed = false;
};

} // namespace platform
