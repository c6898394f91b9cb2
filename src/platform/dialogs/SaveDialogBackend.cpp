// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs/SaveDialogBackend.h"

#include <QFileDialog>

namespace platform {

std::optional<QString> QtSaveDialog::askForSavePath(QWidget* parent, const SaveDialogRequest& request)
{
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program replaces a chosen file without asking and uses a typed name
    // exactly as typed, extension or not. A desktop's own dialog (a portal,
    // KDE's) may ask or add a suffix all the same, so Qt's dialog is used
    // everywhere.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setDefaultSuffix(QString());
    dialog.setNameFilter(request.nameFilter);
    if (!request.initialPath.isEmpty())
        dialog.selectFile(request.initialPath);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.first();
}

} // namespace platform
