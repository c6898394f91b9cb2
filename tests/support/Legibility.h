#pragma once

#include "support/Testing.h"

// Everything that keeps a caption from being read whole: a button or box
// narrower than its caption, a label's text (wrapped as the label wraps it)
// running out of the label, a picture stacked over a label's text. Empty
// when all is legible.
QStringList legibilityProblems(QWidget* window);
