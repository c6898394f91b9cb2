#pragma once

#include "editor/ArenaText.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class QWidget;

namespace editor {

// Delivers the arena file into a .pk3 archive: stages it as
// C:\scripts\<map>.arena, has the archiver in the program's folder add it to
// the archive as scripts/<map>.arena, reports the outcome, remembers the
// archive and cleans the staging folder up. Everything the user had there
// before stays as it was.
class Pk3Route {
public:
    Pk3Route(const platform::Services& services, QWidget* window);

    // values.map is the trimmed map file name; archivePath is the dialog's
    // choice, as it returned it.
    void run(const QString& archivePath, const ArenaValues& values);

private:
    bool stage(const ArenaValues& values);
    bool setAsideWhatWouldBeTakenForTheStagedFile();
    bool runArchiver(const QString& archivePath, QString& refusal);
    bool runZip(const QStringList& arguments, const QString& workingFolder, const QString& progressText);
    QStringList cleanUp();
    void fail(const QString& refusal = QString());
    void tell(const QString& message, int style);

    platform::Services services;
    QWidget* window;
    platform::FileSystem fileSystem;
    QString stagedName;
    int folderExisted = 0;
    bool folderToRemove = false;   // the route made the staging folder
    bool stagedFileIsOurs = false; // only then may the clean-up delete it
    // Entries of the user's that the game would take for the staged file,
    // each under a name of its own until the route ends: (kept as, original).
    std::vector<std::pair<QString, QString>> setAside;
};

} // namespace editor
