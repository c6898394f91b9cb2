// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

namespace platform {

// An open file or folder, closed when the object goes; -1 stands for one
// that could not be opened, and is used as the descriptor it stands for.
class OwnedDescriptor {
public:
    explicit OwnedDescriptor(int descriptor) : descriptor(descriptor) {}
    ~OwnedDescriptor()
    {
        if (descriptor >= 0)
            ::close(descriptor);
    }
    OwnedDescriptor(const OwnedDescriptor&) = delete;
    OwnedDescriptor& operator=(const OwnedDescriptor&) = delete;
    operator int() const { return descriptor; }

private:
    int descriptor;
};

} // namespace platform
