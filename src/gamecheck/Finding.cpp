// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck/Finding.h"

#include <algorithm>

namespace gamecheck {

bool hasErrors(const Findings& findings)
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& finding) { return finding.severity == Severity::Error; });
}

} // namespace gamecheck
