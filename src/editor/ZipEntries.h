#pragma once

#include <QByteArrayList>

namespace editor {

// The entries the game would take for `entryName`: it compares names without
// regard to the case of ASCII letters, as archives made on Windows are often
// written in capitals. The name itself, exactly as given, is not among them.
QByteArrayList caseVariantsOf(const QByteArray& entryName, const QByteArrayList& entryNames);

} // namespace editor
