#include "editor/ArchiveWorkingCopy.h"

#include "platform/FileCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStorageInfo>

#include <cstdio>

namespace editor {

namespace {

using Preparation = ArchiveWorkingCopy::Preparation;

Preparation refused(const QString& reason)
{
    return {Preparation::Status::Refused, reason};
}

} // namespace

ArchiveWorkingCopy::ArchiveWorkingCopy(const QString& path, platform::HardLinker hardLink)
    : hardLink(std::move(hardLink))
{
    // A link to an archive stays a link: the archive it points to is updated.
    const QFileInfo info(path);
    archivePath = info.isSymLink() && info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

Preparation ArchiveWorkingCopy::prepare(QWidget* window)
{
    const QFileInfo archive(archivePath);
    if (archive.exists() && !archive.isFile())
        return {};
    // zip refuses an archive the user may not write; a rename in its folder
    // would not, and would leave it the user's own.
    if (archive.exists() && !archive.isWritable())
        return refused(QStringLiteral("You may not change the archive\n%1\nso it is left as it is.")
                           .arg(QDir::toNativeSeparators(archivePath)));
    folder = std::make_unique<QTemporaryDir>(archive.dir().filePath(QStringLiteral(".mapwright-XXXXXX")));
    if (!folder->isValid())
        return {};
    // zip adds ".zip" to an archive name without an extension, so the copy
    // it works on always has one.
    workingPath = folder->filePath(QStringLiteral("archive.pk3"));
    if (!archive.exists())
        return {Preparation::Status::Ready, QString()};

    // zip writes the archive anew beside the copy; a real copy needs as much
    // room again.
    const bool linked = hardLink(archivePath, workingPath);
    const qint64 needed = archive.size() * (linked ? 1 : 2);
    const qint64 available = QStorageInfo(folder->path()).bytesAvailable();
    if (available >= 0 && needed > available) {
        const QLocale locale;
        return refused(QStringLiteral("There is not enough free space beside the archive\n%1\nto update it safely: "
                                      "it needs %2, and %3 is free.")
                           .arg(QDir::toNativeSeparators(archivePath), locale.formattedDataSize(needed),
                                locale.formattedDataSize(available)));
    }
    if (linked)
        return {Preparation::Status::Ready, QString()};
    // Stopped or failed, the copy takes the route's failure path.
    const platform::CopyOutcome copied = platform::copyFileShowingProgress(
        window, archivePath, workingPath, QStringLiteral("Copying %1...").arg(archive.fileName()));
    return {copied == platform::CopyOutcome::Copied ? Preparation::Status::Ready : Preparation::Status::Failed,
            QString()};
}

bool ArchiveWorkingCopy::commit()
{
    const QFileInfo result(workingPath);
    if (!result.isFile() || result.isSymLink())
        return false;
    const QFileInfo archive(archivePath);
    if (archive.exists())
        QFile::setPermissions(workingPath, archive.permissions());
    return std::rename(QFile::encodeName(workingPath).constData(), QFile::encodeName(archivePath).constData()) == 0;
}

} // namespace editor
