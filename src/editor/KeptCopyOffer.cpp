// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/KeptCopyOffer.h"

#include "gamecheck/ShownName.h"
#include "platform/system/KeptCopy.h"
#include "platform/system/ProgramName.h"

#include <QDir>

namespace editor {

namespace {

QString shown(const QString& path)
{
    return gamecheck::shownPath(QDir::toNativeSeparators(path));
}

} // namespace

bool offerKeptCopyBack(QWidget* window, const platform::Services& services, const QString& path)
{
    const std::optional<QString> copy = platform::differingKeptCopy(path);
    if (!copy)
        return true;
    const QString question =
        QStringLiteral("A save of %1 did not finish, and the file may hold only part of what was being saved. A "
                       "complete copy of what it held before is kept in\n%2\n\nPut that copy back in its place? No "
                       "opens the file as it is now, and keeps the copy until Mapwright next saves this file.")
            .arg(shown(path), shown(*copy));
    if (!services.messageBox->ask(window, question, platform::programName))
        return true;
    const QString problem = platform::restoreFromKeptCopy(path);
    if (problem.isEmpty())
        return true;
    services.messageBox->show(window,
                              QStringLiteral("The copy could not be put back: %1.\n\n%2 may now hold part of it. The "
                                             "copy stays in\n%3")
                                  .arg(problem, shown(path), shown(*copy)),
                              platform::Exclamation, platform::programName);
    return false;
}

} // namespace editor
