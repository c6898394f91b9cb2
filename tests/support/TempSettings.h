#pragma once

#include <QString>
#include <QTemporaryDir>

namespace testing_support {

// Points the per-user settings store at a fresh folder for the life of the
// object, so tests read and write a real settings file of their own.
class TempSettings {
public:
    TempSettings();
    ~TempSettings();
    QString iniPath() const;
    // The file name remembered under a key of the program's section.
    static QString remembered(const char* key);

private:
    QTemporaryDir folder;
};

} // namespace testing_support
