// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs/OpenDialogBackend.h"

#include <QFileDialog>

namespace platform {

std::optional<QString> QtOpenDialog::askForOpenPath(QWidget* parent, const QString& title, const QString& nameFilter)
{
    // Qt's own dialog, as for saving, so that both look alike on every desktop.
    const QString chosen = QFileDialog::getOpenFileName(parent, title, QString(), nameFilter, nullptr,
                                                        QFileDialog::DontUseNativeDialog);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

std::optional<QString> QtOpenDialog::askForFolder(QWidget* parent, const QString& title)
{
    const QString chosen = QFileDialog::getExistingDirectory(parent, title, QString(),
                                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

} // namespace platform
