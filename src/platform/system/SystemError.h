// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstring>

namespace platform {

// The system's own words for an error number, as the user's messages quote them.
inline QString systemErrorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace platform
