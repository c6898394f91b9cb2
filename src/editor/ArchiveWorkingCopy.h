#pragma once

#include "platform/HardLink.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

class QWidget;

namespace editor {

// The archiver replaces an archive by deleting it and renaming its new copy;
// stopped or crashing between the two, it loses the archive. So it works on
// a copy in a private folder beside the archive, and the result takes the
// archive's place in one rename, only once the archiver has succeeded.
// Whatever else happens, the archive stays as it was and the folder goes.
class ArchiveWorkingCopy {
public:
    ArchiveWorkingCopy(const QString& archivePath, platform::HardLinker hardLink);

    struct Preparation {
        enum class Status { Ready, Refused, Failed };
        Status status = Status::Failed;
        QString reason; // for Refused: what the user is told
    };

    // Makes the folder and, for an existing archive, the copy: a hard link
    // where the file system allows it, so nothing is copied; otherwise a
    // real copy, shown in a progress window over `window`.
    Preparation prepare(QWidget* window);
    QString path() const { return workingPath; }
    // Puts the archiver's result in the archive's place.
    bool commit();

private:
    QString archivePath;
    platform::HardLinker hardLink;
    std::unique_ptr<QTemporaryDir> folder;
    QString workingPath;
};

} // namespace editor
