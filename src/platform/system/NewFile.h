// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/FileMove.h"
#include "platform/system/MarkedFolder.h"
#include "platform/system/Steps.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {

// A complete new file for the place of another, or for a name not yet
// taken: made in a working folder of the program's own beside it, and put
// in place by one rename (see moveIntoPlace). A run stopped before the
// rename leaves its working folder, and the next one in that folder takes
// it away: marked, and no longer held by a run (see MarkedFolder), it
// proves to be a stopped run's. Nothing else beside the target is touched.
class NewFile {
public:
    // `target` is the path to be replaced, links already followed.
    explicit NewFile(const QString& target);
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    bool isValid() const { return file >= 0; }
    QString errorString() const { return error; }
    // The new file, open for writing: to give it the attributes of the file
    // it replaces before it holds anything.
    int descriptor() const { return file; }

    // Makes `bytes` its content and puts it in the target's place, if the
    // target is still as it was read (`targetAsRead`; nothing for a name to
    // be newly taken).
    MoveOutcome commit(const QByteArray& bytes, const std::optional<FileIdentity>& targetAsRead, const StepHook& step);

private:
    QString target;
    std::optional<MarkedFolder> work;
    int file = -1;
    QString error;
};

} // namespace platform
