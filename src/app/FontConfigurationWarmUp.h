// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <thread>

namespace app {

// Reading the system's font configuration is most of what showing the first
// caption costs. It needs nothing of Qt, so it runs on a second thread while
// the application connects to the display, and the main window finds it
// done.
class FontConfigurationWarmUp {
public:
    FontConfigurationWarmUp();
    ~FontConfigurationWarmUp();
    FontConfigurationWarmUp(const FontConfigurationWarmUp&) = delete;
    FontConfigurationWarmUp& operator=(const FontConfigurationWarmUp&) = delete;

    // Waits for the configuration. Call it before anything draws text, or
    // the configuration is read twice.
    void finish();

private:
    std::thread worker;
};

} // namespace app
