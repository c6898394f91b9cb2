// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace platform {

// Styles of the classic message box; every box has a single OK button.
enum MessageBoxStyle : int {
    Exclamation = 48,
    Information = 64,
};

// The modal message box. Tests replace it with a stand-in that records
// what would have been shown.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(QWidget* parent, const QString& prompt, int style, const QString& title) = 0;
};

class QtMessageBox final : public MessageBox {
public:
    void show(QWidget* parent, const QString& prompt, int style, const QString& title) override;
};

} // namespace platform
