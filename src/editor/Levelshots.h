// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayList>
#include <QImage>
#include <QString>

#include <vector>

namespace editor {

// The levelshot of each map from the archive at `archivePath`, in the menu's
// size, as the arena chooser shows it: the picture the menu would load for
// the map, or a null image where the archive holds none it can show. A
// picture larger than any levelshot needs to be is not read.
std::vector<QImage> levelshotsOf(const QString& archivePath, const QByteArrayList& maps);

} // namespace editor
