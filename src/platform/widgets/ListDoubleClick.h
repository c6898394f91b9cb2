// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QListWidget;

namespace platform {

// The double-click notification of a list box. Qt reports a double-click on
// the second press and then lets the button's release select the entry under
// the mouse, so a handler that removed an entry would see the release select
// its neighbour, and a message box opened by the handler would swallow the
// release the list still waits for. The handler therefore runs once the
// double-click is over, after the list has taken the release. A double-click
// on the list's empty area is no double-click on an entry and runs nothing.
class ListDoubleClick final : public QObject {
public:
    ListDoubleClick(QListWidget* list, std::function<void()> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> handler;
    bool entryDoubleClicked = false;
};

} // namespace platform
