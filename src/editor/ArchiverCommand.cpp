#include "editor/ArchiverCommand.h"

namespace editor {

QString archiverFileName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("zip.exe");
#else
    return QStringLiteral("zip");
#endif
}

QString archiverCommandLine(const QString& programFolder, const QString& archivePath, const QString& stagedFileName)
{
    return QLatin1Char('"') + programFolder + QStringLiteral("\\zip.exe\" \"") + archivePath
           + QStringLiteral("\" \"C:\\SCRIPTS\\") + stagedFileName + QLatin1Char('"');
}

QStringList archiverArguments(const QString& archivePath, const QString& stagedRelativePath)
{
    // -nw: file names are literal, so a map named "dm[1]" is not taken for a
    // pattern.
    return {QStringLiteral("-nw"), archivePath, stagedRelativePath};
}

} // namespace editor
