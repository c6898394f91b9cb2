// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DisplayCheck.h"

#include <QtGlobal>

namespace app {

QString missingDisplayMessage()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const bool needsDisplay = platform.isEmpty() || platform.startsWith(QLatin1String("xcb"))
                              || platform.startsWith(QLatin1String("wayland"));
    if (!needsDisplay || !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QString();
    return QStringLiteral("mapwright: no display to open its window on (neither DISPLAY nor WAYLAND_DISPLAY is set);"
                          " start it from a desktop session, or without one as: xvfb-run mapwright");
}

} // namespace app
