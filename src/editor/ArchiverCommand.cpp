#include "editor/ArchiverCommand.h"

namespace editor {

// -nw: names are literal, so a map named "dm[1]" is not taken for a pattern.

QStringList archiverAddArguments(const QString& archivePath, const QString& entryName)
{
    return {QStringLiteral("-nw"), archivePath, entryName};
}

QStringList archiverDeleteArguments(const QString& archivePath, const QStringList& entryNames)
{
    return QStringList{QStringLiteral("-nw"), archivePath, QStringLiteral("-d")} + entryNames;
}

} // namespace editor
