// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CheckReport.h"

#include "gamecheck/ShownName.h"
#include "platform/system/FolderFiles.h"

#include <QDir>

#include <algorithm>

namespace editor {

namespace {

QString placeOf(const gamecheck::Finding& finding)
{
    QString place = gamecheck::shownName(platform::fileNameOf(finding.file));
    if (!finding.entry.isEmpty())
        place += QLatin1Char(':') + finding.entry;
    if (!finding.key.isEmpty())
        place += QStringLiteral(", %1").arg(finding.key);
    return place;
}

QString errorCount(qsizetype errors)
{
    return errors == 1 ? QStringLiteral("1 error") : QStringLiteral("%1 errors").arg(errors);
}

QString adviceCount(qsizetype advice)
{
    return advice == 1 ? QStringLiteral("1 piece of advice") : QStringLiteral("%1 pieces of advice").arg(advice);
}

} // namespace

std::vector<platform::ReportLine> reportLines(const gamecheck::Findings& findings)
{
    std::vector<platform::ReportLine> lines;
    for (const gamecheck::Finding& finding : findings)
        lines.push_back({finding.severity == gamecheck::Severity::Error, placeOf(finding), finding.sentence});
    std::stable_partition(lines.begin(), lines.end(), [](const platform::ReportLine& line) { return line.serious; });
    return lines;
}

QString reportHeading(const QString& path, const gamecheck::Findings& findings)
{
    const QString name = gamecheck::shownPath(QDir::toNativeSeparators(path));
    if (findings.empty())
        return QStringLiteral("The game will read %1 as it is: nothing was found.").arg(name);
    const auto errors = std::count_if(findings.begin(), findings.end(), [](const gamecheck::Finding& finding) {
        return finding.severity == gamecheck::Severity::Error;
    });
    const auto advice = static_cast<qsizetype>(findings.size()) - errors;
    if (errors == 0)
        return QStringLiteral("The game will read %1 in full; %2:").arg(name, adviceCount(advice));
    return QStringLiteral("The game will drop, hide or misread something in %1: %2, %3.")
        .arg(name, errorCount(errors), adviceCount(advice));
}

QString countOf(qsizetype errors, qsizetype advice)
{
    if (errors > 0 && advice > 0)
        return QStringLiteral("%1 and %2").arg(errorCount(errors), adviceCount(advice));
    return errors > 0 ? errorCount(errors) : adviceCount(advice);
}

QString folderReportHeading(const QString& path, const gamecheck::FolderReport& report)
{
    return gamecheck::summarySentence(report.summary) + QLatin1Char(' ') + reportHeading(path, report.findings);
}

} // namespace editor
