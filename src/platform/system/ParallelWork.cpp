// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/ParallelWork.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace platform {

void forEachInParallel(std::size_t count, const std::function<void(std::size_t item)>& work)
{
    // Reading archives waits on the disk as much as on a core, but more
    // threads than this only contend for the same disk.
    constexpr unsigned mostThreads = 4;
    std::atomic<std::size_t> next = 0;
    const auto share = [&] {
        for (std::size_t item = next++; item < count; item = next++)
            work(item);
    };
    const unsigned threads = std::min(std::max(1u, std::thread::hardware_concurrency()), mostThreads);
    std::vector<std::thread> helpers(std::min<std::size_t>(threads, count > 0 ? count : 1) - 1);
    for (std::thread& helper : helpers)
        helper = std::thread(share);
    share();
    for (std::thread& helper : helpers)
        helper.join();
}

} // namespace platform
