#pragma once

// Runs `work(i)` for every i below `count` on as many threads as the machine
// has (at most 8). Each call gets its own index, so results kept by index come
// out the same whatever the threads did first. `begin()` runs once per thread
// before its first call, for what a thread must not share.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace boxloom::site {

template <typename PerThread, typename Work>
void forEachInParallel(std::size_t count, PerThread begin, Work work) {
    std::atomic<std::size_t> next{0};
    const auto run = [&] {
        auto own = begin();
        for (std::size_t index; (index = next++) < count;)
            work(own, index);
    };
    const std::size_t threads =
        std::min<std::size_t>({std::max(1u, std::thread::hardware_concurrency()), 8, count});
    std::vector<std::thread> helpers;
    for (std::size_t i = 1; i < threads; ++i)
        helpers.emplace_back(run);
    run();
    for (std::thread& helper : helpers)
        helper.join();
}

} // namespace boxloom::site
