#pragma once

#include "support/Testing.h"

// What keeps a caption from being read whole: a button narrower than its
// caption, a label's text (wrapped as the label wraps it) running out of the
// label, or a picture stacked over it. Empty when all is legible.
QStringList legibilityProblems(QWidget* window);
