#pragma once

#include <QByteArray>
#include <QString>

namespace testing_support {

// A file's bytes, or "<unreadable>" when it cannot be read.
QByteArray readAll(const QString& path);
// Creates or replaces a file with the given bytes; fails the test if it can't.
void writeFile(const QString& path, const QByteArray& bytes);

} // namespace testing_support
