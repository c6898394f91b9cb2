#pragma once

#include <QString>

class QWidget;

namespace platform {

enum class CopyOutcome { Copied, Failed, Stopped };

// Copies a file, a piece at a time so that the window keeps painting. When
// the copy takes longer than a moment, a modal progress window shows how far
// it has come and lets the user stop it. A copy that fails or is stopped
// leaves nothing behind.
CopyOutcome copyFileShowingProgress(QWidget* parent, const QString& from, const QString& to, const QString& text);

} // namespace platform
