// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/OutputRoutes.h"

#include "platform/SettingsStore.h"

namespace editor {

namespace {
const QString application = QStringLiteral("Mapwright");
const QString section = QStringLiteral("Filenames");
} // namespace

QString rememberedName(const OutputRoute& route)
{
    return platform::SettingsStore().read(application, section, QString::fromLatin1(route.settingsKey));
}

bool rememberName(const OutputRoute& route, const QString& name)
{
    return platform::SettingsStore().write(application, section, QString::fromLatin1(route.settingsKey), name);
}

} // namespace editor
