// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A file's access control list and user.* attributes, for tests that a
// replaced file keeps them, and whether a folder's file system has them.
#include "support/Archives.h"

#include <sys/xattr.h>

// Its list as getfacl shows it, then each user.* attribute as name=value.
inline QByteArray attributesOf(const QString& path)
{
    const QByteArray file = QFile::encodeName(path);
    QByteArray names(4096, '\0'), value(256, '\0');
    names.resize(std::max<ssize_t>(0, ::listxattr(file.constData(), names.data(), 4096)));
    QByteArray shown = run(QStringLiteral("getfacl"), {QStringLiteral("--omit-header"), QStringLiteral("--absolute-names"), path});
    for (const QByteArray& name : names.split('\0')) {
        if (name.startsWith("user."))
            shown += name + '=' + value.left(::getxattr(file.constData(), name.constData(), value.data(), 256)) + '\n';
    }
    return shown;
}

// Whether the file system of a folder takes access control lists (setfacl
// comes with Debian's package acl) and user.* attributes (a tmpfs only from
// Linux 6.6 on); what it lacks, in words, when it lacks any.
inline QString missingAttributeSupport(const QString& folder, bool* lists, bool* userAttributes)
{
    const QString probe = QDir(folder).filePath(QStringLiteral("attribute probe"));
    writeFile(probe, {});
    *lists = QProcess::execute(QStringLiteral("setfacl"), {QStringLiteral("-m"), QStringLiteral("user:nobody:r"), probe}) == 0;
    *userAttributes = ::setxattr(QFile::encodeName(probe).constData(), "user.probe", "", 0, 0) == 0;
    QFile::remove(probe);
    QStringList missing;
    if (!*lists)
        missing << QStringLiteral("access control lists (or there is no setfacl)");
    if (!*userAttributes)
        missing << QStringLiteral("user.* attributes");
    return QStringLiteral("the file system of %1 has no %2").arg(folder, missing.join(QStringLiteral(" and no ")));
}
