// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs/CommonDialog.h"

#include <QStringList>

namespace platform {

CommonDialog::CommonDialog(SaveDialogBackend& backend, QWidget* parent)
    : backend(backend), parent(parent)
{
}

CommonDialog::Outcome CommonDialog::ShowSave()
{
    const SaveDialogRequest request{DialogTitle, FileName, qtNameFilter(Filter)};
    const std::optional<QString> chosen = backend.askForSavePath(parent, request);
    if (!chosen)
        return CancelError ? Outcome::Cancelled : Outcome::NameChosen;
    FileName = *chosen;
    return Outcome::NameChosen;
}

QString qtNameFilter(const QString& classicFilter)
{
    const QStringList parts = classicFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses; descriptions that
        // already show them are kept as they are.
        if (description.contains(QLatin1Char('(')) && description.endsWith(QLatin1Char(')')))
            filters << description;
        else
            filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace platform
