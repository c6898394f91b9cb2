// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace platform {

// What the file-save dialog is asked to show.
struct SaveDialogRequest {
    QString title;
    QString initialPath;
    QString nameFilter; // Qt form: "Description (*.ext)"
};

// Shows a modal file-save dialog. Returns the chosen path, or nothing when
// the user cancelled. Tests replace it with a scripted stand-in.
class SaveDialogBackend {
public:
    virtual ~SaveDialogBackend() = default;
    virtual std::optional<QString> askForSavePath(QWidget* parent, const SaveDialogRequest& request) = 0;
};

class QtSaveDialog final : public SaveDialogBackend {
public:
    std::optional<QString> askForSavePath(QWidget* parent, const SaveDialogRequest& request) override;
};

} // namespace platform
