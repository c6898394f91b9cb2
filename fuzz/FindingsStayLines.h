// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the fuzz targets hold every input to, besides not crashing: each
// finding is one line that cannot command a terminal, and says something.
#include "gamecheck/Finding.h"

#include <cstdlib>

inline bool printsSafely(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F) || c == QChar(0x2028) || c == QChar(0x2029))
            return false;
    }
    return true;
}

inline void requireOneLineEach(const gamecheck::Findings& findings)
{
    for (const gamecheck::Finding& finding : findings) {
        if (!printsSafely(finding.entry) || !printsSafely(finding.key) || !printsSafely(finding.sentence)
            || !finding.sentence.endsWith(QLatin1Char('.')))
            std::abort();
    }
}
