// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FontConfigurationWarmUp.h"

#include <fontconfig/fontconfig.h>

namespace app {

FontConfigurationWarmUp::FontConfigurationWarmUp()
    : worker([] { FcInit(); })
{
}

FontConfigurationWarmUp::~FontConfigurationWarmUp()
{
    finish();
}

void FontConfigurationWarmUp::finish()
{
    if (worker.joinable())
        worker.join();
}

} // namespace app
