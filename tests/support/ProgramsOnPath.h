#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

namespace testing_support {

// A fresh folder that is the whole of PATH while the object lives, so a test
// starts only the stand-ins put there and never a program of this machine.
class ProgramsOnPath {
public:
    ProgramsOnPath();
    ~ProgramsOnPath();
    // Adds a program that records each start as one line: every argument in square brackets.
    void addRecordingProgram(const QString& name);
    // The whole lines that program has recorded so far.
    QStringList recorded(const QString& name) const;

private:
    QTemporaryDir folder;
    QByteArray savedPath;
};

} // namespace testing_support
