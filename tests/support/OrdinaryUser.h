// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/Testing.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

// Root gets past every permission, so what an ordinary user meets is tried
// as "nobody" in a child process when the tests run as root, and right here
// otherwise. Returns what `work` returned (0 to 254), or another number
// when the child could not become nobody or died.
inline int asOrdinaryUser(const std::function<int()>& work)
{
    if (::geteuid() != 0)
        return work();
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(255);
        ::_exit(work());
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Makes a path the ordinary user's own, when the tests run as root.
inline void giveToOrdinaryUser(const QString& path)
{
    if (::geteuid() == 0)
        [[maybe_unused]] const int given = ::chown(QFile::encodeName(path).constData(), 65534, 65534);
}
