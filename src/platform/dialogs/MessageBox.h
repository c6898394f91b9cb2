// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace platform {

// Styles of the classic message box; every box that tells has a single OK
// button.
enum MessageBoxStyle : int {
    Exclamation = 48,
    Information = 64,
};

// The modal message box. Tests replace it with a stand-in that records
// what would have been shown and answers from a script.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(QWidget* parent, const QString& prompt, int style, const QString& title) = 0;
    // Asks a question that may be answered Yes or No, with the exclamation
    // icon. No is the default, and what Escape means: true for Yes.
    virtual bool ask(QWidget* parent, const QString& question, const QString& title) = 0;
};

class QtMessageBox final : public MessageBox {
public:
    void show(QWidget* parent, const QString& prompt, int style, const QString& title) override;
    bool ask(QWidget* parent, const QString& question, const QString& title) override;
};

} // namespace platform
