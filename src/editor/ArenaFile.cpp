#include "editor/ArenaFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace editor {

FileWriteResult writeArenaFile(const QString& path, const ArenaValues& values)
{
    const QFileInfo target(path);
    if (target.isDir())
        return {false, QStringLiteral("It is a folder.")};
    // Replacing by rename would also get past a file the user has made
    // read-only; opening it for output would not.
    if (target.exists() && !target.isWritable())
        return {false, QStringLiteral("The file is read-only.")};

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    const QByteArray text = arenaText(values);
    // Flushing before commit matters: a write the disk cut short (full, or
    // over a size limit) shows only here, and commit() alone would let the
    // shortened file replace the earlier one.
    errno = 0;
    if (file.write(text) != text.size() || !file.flush()) {
        const int cause = errno;
        file.cancelWriting();
        return {false, cause != 0 ? QString::fromLocal8Bit(std::strerror(cause)) : file.errorString()};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, QString()};
}

} // namespace editor
