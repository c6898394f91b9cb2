#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testing_support {

// A fresh folder that is the whole of PATH for the life of the object, so
// that a test starts only the stand-in programs put there and never a real
// program of this machine.
class ProgramsOnPath {
public:
    ProgramsOnPath();
    ~ProgramsOnPath();

    // Adds a program that records each start as one line: every argument
    // in square brackets.
    void addRecordingProgram(const QString& name);

    // The complete lines recorded so far by the program of that name.
    QStringList recorded(const QString& name) const;

private:
    QTemporaryDir folder;
    QByteArray savedPath;
};

} // namespace testing_support
