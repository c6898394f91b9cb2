// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/Beep.h"

#include <QApplication>

namespace platform {

namespace {
int beepsSoFar = 0;
}

void beep()
{
    ++beepsSoFar;
    QApplication::beep();
}

int beepCount()
{
    return beepsSoFar;
}

} // namespace platform
