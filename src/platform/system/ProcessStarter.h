// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Starts an outside program and forgets it: no window of its own, no
// waiting, no looking at it again. Tests replace it with a stand-in that
// records what would have been started.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Returns whether the program could be started; it never reports
    // failure in any other way.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
};

// The program is looked up in PATH and given its arguments as they are,
// never through a shell, so nothing in them is interpreted.
class QtProcessStarter final : public ProcessStarter {
public:
    bool startDetached(const QString& program, const QStringList& arguments) override;
};

} // namespace platform
