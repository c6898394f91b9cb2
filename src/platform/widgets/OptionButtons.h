// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QRadioButton;

namespace platform {

// Returns an option button to "not selected". Option buttons of a group
// refuse to be unchecked directly, since one of them is meant to stay on.
void deselectOptionButton(QRadioButton* button);

} // namespace platform
