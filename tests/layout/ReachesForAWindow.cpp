// SPDX-License-Identifier: GPL-3.0-or-later
// Code of the game's knowledge reaching for the windows: this must not
// compile. WALL picks the arrow tried.
#if WALL == 1
#include "editor/Form1.h"
#else
#include <QWidget>
#endif
