// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace platform {

// Shows a modal dialog to choose an existing file, or an existing folder.
// Returns the chosen path, or nothing when the user cancelled. Tests replace
// it with a scripted stand-in.
class OpenDialogBackend {
public:
    virtual ~OpenDialogBackend() = default;
    virtual std::optional<QString> askForOpenPath(QWidget* parent, const QString& title, const QString& nameFilter) = 0;
    virtual std::optional<QString> askForFolder(QWidget* parent, const QString& title) = 0;
};

class QtOpenDialog final : public OpenDialogBackend {
public:
    std::optional<QString> askForOpenPath(QWidget* parent, const QString& title, const QString& nameFilter) override;
    std::optional<QString> askForFolder(QWidget* parent, const QString& title) override;
};

} // namespace platform
