#include "support/ProgramsOnPath.h"

#include <QFile>

#include <gtest/gtest.h>

namespace testing_support {

ProgramsOnPath::ProgramsOnPath()
    : savedPath(qgetenv("PATH"))
{
    qputenv("PATH", QFile::encodeName(folder.path()));
}

ProgramsOnPath::~ProgramsOnPath() { qputenv("PATH", savedPath); }

void ProgramsOnPath::addRecordingProgram(const QString& name)
{
    // One write per start, so a reader never sees half a line as whole.
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("#!/bin/sh\nline=$(printf '[%s]' \"$@\")\nprintf '%s\\n' \"$line\" >> '%1.record'\n")
                   .arg(file.fileName())
                   .toUtf8());
    file.close();
    ASSERT_TRUE(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

QStringList ProgramsOnPath::recorded(const QString& name) const
{
    QFile file(folder.filePath(name + QStringLiteral(".record")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    lines.removeLast(); // what follows the last line feed is not a whole line yet
    return lines;
}

} // namespace testing_support
