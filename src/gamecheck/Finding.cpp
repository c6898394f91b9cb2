// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/Finding.h"

#include <algorithm>

namespace gamecheck {

bool hasErrors(const Findings& findings)
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& finding) { return finding.severity == Severity::Error; });
}

void moveFindingsOf(const QByteArray& file, Findings& findings, Findings& to)
{
    for (Finding& finding : findings) {
        finding.file = file;
        to.push_back(std::move(finding));
    }
    findings.clear();
}

} // namespace gamecheck
