// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/ProcessStarter.h"

#include <QProcess>

namespace platform {

bool QtProcessStarter::startDetached(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    // Hidden: the started program writes nothing into our terminal and
    // reads nothing from it.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

} // namespace platform
