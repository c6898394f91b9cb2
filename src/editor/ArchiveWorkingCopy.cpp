#include "editor/ArchiveWorkingCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace editor {

ArchiveWorkingCopy::ArchiveWorkingCopy(const QString& path)
{
    // A link to an archive stays a link: the archive it points to is updated.
    const QFileInfo info(path);
    archivePath = info.isSymLink() && info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

bool ArchiveWorkingCopy::prepare()
{
    const QFileInfo archive(archivePath);
    folder = std::make_unique<QTemporaryDir>(archive.dir().filePath(QStringLiteral(".mapwright-XXXXXX")));
    if (!folder->isValid())
        return false;
    workingPath = folder->filePath(archive.fileName());
    if (!archive.exists())
        return true;
    if (!archive.isFile())
        return false;
    return ::link(QFile::encodeName(archivePath).constData(), QFile::encodeName(workingPath).constData()) == 0
           || QFile::copy(archivePath, workingPath);
}

bool ArchiveWorkingCopy::commit()
{
    const QFileInfo archive(archivePath);
    if (archive.exists())
        QFile::setPermissions(workingPath, archive.permissions());
    return ::rename(QFile::encodeName(workingPath).constData(), QFile::encodeName(archivePath).constData()) == 0;
}

} // namespace editor
