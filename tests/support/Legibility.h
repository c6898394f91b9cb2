// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/Testing.h"

// What keeps a caption from being read whole: a button narrower than its
// caption, a label's text (wrapped as the label wraps it) running out of the
// label, or a picture stacked over it. Empty when all is legible.
QStringList legibilityProblems(QWidget* window);

// What a screen reader, walking the window's accessibility tree, would get
// wrong: a focusable control without a name in words, or with the name of
// another control of the window. Empty when each can be told apart by ear.
QStringList spokenNameProblems(QWidget* window);
