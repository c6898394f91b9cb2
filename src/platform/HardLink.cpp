#include "platform/HardLink.h"

#include <QFile>

#include <unistd.h>

namespace platform {

bool makeHardLink(const QString& existing, const QString& newName)
{
    return ::link(QFile::encodeName(existing).constData(), QFile::encodeName(newName).constData()) == 0;
}

} // namespace platform
