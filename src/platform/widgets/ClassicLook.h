// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

class QWidget;

namespace platform {

// Designs are measured in twips; 15 twips make one pixel at 96 dpi.
constexpr int twipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

// The nearest match here for the classic 8.25 pt dialog font: Liberation
// Sans has Arial's metrics, which the designs' captions were laid out for;
// DejaVu Sans, the usual fallback, is too wide for them.
QFont classicFont();

// Gives a window the classic font; the fonts its form file sets on single
// controls (bold, a larger size) refine this one.
void applyClassicFont(QWidget* window);

// Check boxes and option buttons were laid out for a narrower font; where a
// caption would be cut, the control grows to the right to show it whole.
void widenCheckableControlsToTheirCaptions(QWidget* window);

// No window of the program has a default button: Enter presses nothing.
void removeDefaultButtons(QWidget* window);

} // namespace platform
