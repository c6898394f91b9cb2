#pragma once

#include <QByteArrayList>
#include <QString>

#include <optional>

namespace editor {

// The entry names of a zip archive as its central directory stores them,
// byte for byte; nothing when the file cannot be read as an archive.
std::optional<QByteArrayList> zipEntryNames(const QString& archivePath);

// The entries the game would take for `entryName`: it compares names without
// regard to the case of ASCII letters, as archives made on Windows are often
// written in capitals. The name itself, exactly as given, is not among them.
QByteArrayList caseVariantsOf(const QByteArray& entryName, const QByteArrayList& entryNames);

} // namespace editor
