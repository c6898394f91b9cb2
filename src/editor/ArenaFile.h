#pragma once

#include "editor/ArenaText.h"

#include <QString>

namespace editor {

struct FileWriteResult {
    bool written = false;
    QString reason; // why it failed, for the user
};

// Writes the arena text at path, creating the file or replacing it whole.
// The text goes to a temporary file beside it that takes the file's place
// only once complete, so a failure leaves an earlier file as it was.
FileWriteResult writeArenaFile(const QString& path, const ArenaValues& values);

} // namespace editor
