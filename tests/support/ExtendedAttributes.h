// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A file's access control list and user.* attributes, for tests that a
// replaced file keeps them, and whether the file system of a folder has
// them at all: a tmpfs keeps user.* attributes only from Linux 6.6 on, and
// setfacl comes with Debian's package acl.
#include "support/Archives.h"

#include <sys/xattr.h>

// Its list as getfacl shows it, then each user.* attribute as name=value.
inline QByteArray attributesOf(const QString& path)
{
    const QByteArray file = QFile::encodeName(path);
    QByteArray names(4096, '\0');
    names.resize(std::max<ssize_t>(0, ::listxattr(file.constData(), names.data(), std::size_t(names.size()))));
    QByteArray shown = run(QStringLiteral("getfacl"), {QStringLiteral("--omit-header"), QStringLiteral("--absolute-names"), path});
    for (const QByteArray& name : names.split('\0')) {
        QByteArray value(256, '\0');
        if (name.startsWith("user."))
            shown += name + '=' + value.left(::getxattr(file.constData(), name.constData(), value.data(), 256)) + '\n';
    }
    return shown;
}

// Why a folder's file system cannot take access control lists and user.*
// attributes; empty when it can take both.
inline QString missingAttributeSupport(const QString& folder, bool* lists, bool* userAttributes)
{
    const QString probe = QDir(folder).filePath(QStringLiteral("attribute probe"));
    QFile(probe).open(QIODevice::WriteOnly);
    *lists = QProcess::execute(QStringLiteral("setfacl"), {QStringLiteral("-m"), QStringLiteral("user:nobody:rw"), probe}) == 0;
    *userAttributes = ::setxattr(QFile::encodeName(probe).constData(), "user.probe", "", 0, 0) == 0;
    QFile::remove(probe);
    QStringList missing;
    if (!*lists)
        missing << QStringLiteral("no access control lists (or no setfacl, from the package acl)");
    if (!*userAttributes)
        missing << QStringLiteral("no user.* attributes (tmpfs before Linux 6.6)");
    return missing.isEmpty() ? QString() : QStringLiteral("the file system of %1 has %2").arg(folder, missing.join(QStringLiteral(" and ")));
}
