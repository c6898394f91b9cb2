// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QAbstractButton;

namespace platform {

// Two controls of a window may claim the same access key (a button and a
// menu title, say). Qt then presses neither; this hands the key to the
// button, wherever the shortcut event lands.
class AccessKeyPreference final : public QObject {
public:
    AccessKeyPreference(QAbstractButton* preferred, QObject* rival);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractButton* preferred;
};

} // namespace platform
