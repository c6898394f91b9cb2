#pragma once

#include "support/Testing.h"

// What a screen reader would get wrong in a window, walking the window's
// accessibility tree as an assistive tool does: a control that takes the
// focus but has no name in words, or shares its name with another control
// of the window. Empty when every focusable control can be told apart by ear.
QStringList spokenNameProblems(QWidget* window);
