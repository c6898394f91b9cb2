// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <sys/types.h>

namespace platform {

// What became of one file's attributes given to another.
struct AttributeCopy {
    QString failure;          // why the permissions could not be set; the copy is then unfit to replace the file
    bool ownerKept = true;    // otherwise the copy stays the user's own
    bool groupKept = true;    // otherwise the copy stays in the user's group
    bool accessListKept = true;
    QStringList lost;         // extended attributes not copied, each "name (why)"
};

// Gives the file open as `to` what the one open as `from` has besides its
// content, as a safe save must before its copy takes the file's place: the
// owner and group where the user may give them, the extended attributes
// (the access control list among them), and the permissions. `to` loses
// extended attributes `from` does not have, such as an access control list
// inherited from its folder. Where the access control list cannot be made
// the same, the permissions give no one more than the list did; where the
// group cannot, the copy's group gets no more than others had.
AttributeCopy copyAttributes(int from, int to);

// The permissions that give no one more than `mode` with the access control
// list `accessList` (as the system stores it), once the list is gone: the
// owning group keeps what the list's mask let it have, and the users and
// groups it named keep nothing. Where the list cannot be read, the group
// keeps nothing.
mode_t modeWithoutAccessList(mode_t mode, const QByteArray& accessList);

} // namespace platform
