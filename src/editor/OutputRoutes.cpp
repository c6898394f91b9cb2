// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/OutputRoutes.h"

#include "platform/system/ProgramName.h"
#include "platform/system/SettingsStore.h"

namespace editor {

namespace {
const QString section = QStringLiteral("Filenames");
} // namespace

QString rememberedName(const OutputRoute& route)
{
    return platform::SettingsStore().read(platform::programName, section, QString::fromLatin1(route.settingsKey));
}

bool rememberName(const OutputRoute& route, const QString& name)
{
    return platform::SettingsStore().write(platform::programName, section, QString::fromLatin1(route.settingsKey), name);
}

} // namespace editor
