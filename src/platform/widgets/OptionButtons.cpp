// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/OptionButtons.h"

#include <QRadioButton>

namespace platform {

void deselectOptionButton(QRadioButton* button)
{
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(exclusive);
}

} // namespace platform
