// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamecheck/Finding.h"
#include "gamecheck/FolderRules.h"
#include "platform/dialogs/ReportWindow.h"

#include <QString>

#include <vector>

namespace editor {

// The report window's lines for a check's findings: errors first, each
// with where it is, by file name, entry and key.
std::vector<platform::ReportLine> reportLines(const gamecheck::Findings& findings);

// The heading of the report on a checked file: what was found, in numbers.
QString reportHeading(const QString& path, const gamecheck::Findings& findings);
// The same for a game folder, after its summary: how many arenas the menus list.
QString folderReportHeading(const QString& path, const gamecheck::FolderReport& report);

// "1 error and 2 pieces of advice", naming only what there is some of.
QString countOf(qsizetype errors, qsizetype advice);

} // namespace editor
