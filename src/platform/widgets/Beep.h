// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace platform {

// The standard warning beep. Every beep of the program goes through here so
// that tests can count them.
void beep();
int beepCount();

} // namespace platform
