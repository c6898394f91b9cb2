// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs/SaveDialogBackend.h"

#include <QString>

class QWidget;

namespace platform {

// The classic common-dialog component, used as a file-save dialog. Its
// properties keep their values between uses, as the original component's do.
class CommonDialog {
public:
    // Flag that hides the read-only check box; Qt's dialog has none to hide.
    static constexpr int HideReadOnly = 4;

    enum class Outcome { NameChosen, Cancelled };

    explicit CommonDialog(SaveDialogBackend& backend, QWidget* parent = nullptr);

    QString FileName;
    QString Filter;      // "description|pattern[|description|pattern...]"
    QString DialogTitle;
    int Flags = 0;
    bool CancelError = false;

    // Shows the modal save dialog. On a chosen name, FileName holds the full
    // path exactly as the dialog returned it. A Cancel is reported as
    // Cancelled only when CancelError is set; otherwise, as with the classic
    // component, it returns NameChosen with FileName unchanged.
    Outcome ShowSave();

private:
    SaveDialogBackend& backend;
    QWidget* parent;
};

// Turns a "description|pattern|..." filter into Qt's name-filter form.
QString qtNameFilter(const QString& classicFilter);

} // namespace platform
