// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/OpenFileLimit.h"

#include <algorithm>
#include <cstdint>

#include <sys/resource.h>

namespace platform {

std::size_t allowOpenFiles(std::size_t count)
{
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 0;
    const rlim_t wanted = std::min<rlim_t>(limit.rlim_max, rlim_t(count));
    if (limit.rlim_cur < wanted) {
        struct rlimit raised = limit;
        raised.rlim_cur = wanted;
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0)
            limit = raised;
    }
    return std::size_t(std::min<rlim_t>(limit.rlim_cur, rlim_t(SIZE_MAX)));
}

} // namespace platform
