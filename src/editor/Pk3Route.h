#pragma once

#include "editor/ArenaText.h"
#include "platform/FileSystem.h"
#include "platform/Locations.h"

#include <QString>

class QWidget;

namespace platform {
class MessageBox;
}

namespace editor {

// Delivers the arena file into a .pk3 archive: stages it as
// C:\scripts\<map>.arena, has the archiver in the program's folder add it to
// the archive, reports the outcome, remembers the archive and cleans the
// staging folder up. Everything the user had there before stays as it was.
class Pk3Route {
public:
    Pk3Route(platform::MessageBox& messages, const platform::Locations& locations, QWidget* window);

    // values.map is the trimmed map file name; archivePath is the dialog's
    // choice, as it returned it.
    void run(const QString& archivePath, const ArenaValues& values);

private:
    bool stage(const QString& stagedName, const ArenaValues& values);
    bool runArchiver(const QString& archivePath, const QString& stagedName);
    void cleanUp(const QString& stagedName);
    void restoreSetAside(const QString& stagedName);
    void fail(const QString& stagedName);
    void tell(const QString& message, int style);

    platform::MessageBox& messages;
    platform::Locations locations;
    QWidget* window;
    platform::FileSystem fileSystem;
    int folderExisted = 0;
    QString setAsidePath; // where a file of the staged name waits meanwhile
    bool stagedFileIsOurs = false; // only then may the clean-up delete it
};

} // namespace editor
