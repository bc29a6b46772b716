#pragma once

#include <algorithm>
#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace lexor {

// Passes over a large list wait mostly for memory, as its words lie at
// random; cut into parts on the processor's cores, they wait side by side.
// Below kParallelItems a pass runs in one part, on the calling thread.
inline constexpr std::size_t kParallelItems = std::size_t{1} << 16;

// The threads a pass may use: the processor's, at most eight.
inline unsigned PassThreads() noexcept
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : std::min(cores, 8u);
}

// How many parts a pass over count items is cut into.
inline unsigned PartsFor(std::size_t count) noexcept
{
    return count < kParallelItems ? 1 : PassThreads();
}

// Runs work(part, first, last) for each of `parts` consecutive, nearly equal
// parts of [0, count): the first on the calling thread, the others on threads
// of their own (on the calling thread too where no thread can be had).
// Returns once all are done; an exception of any part is thrown again here.
// The parts must not write to the same place.
template <class Work> void ForEachPart(std::size_t count, unsigned parts, Work work)
{
    parts = std::max(parts, 1u);
    const auto bound = [count, parts](unsigned part) { return count / parts * part + count % parts * part / parts; };
    std::vector<std::exception_ptr> failures(parts);
    const auto run = [&work, &failures, &bound](unsigned part) {
        try {
            work(part, bound(part), bound(part + 1));
        } catch (...) {
            failures[part] = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    unsigned part = 1;
    try {
        for (; part < parts; ++part)
            helpers.emplace_back(run, part);
    } catch (const std::system_error&) {
    }
    run(0);
    for (; part < parts; ++part)
        run(part);
    for (std::thread& helper : helpers)
        helper.join();
    for (const std::exception_ptr& failure : failures) {
        if (failure)
            std::rethrow_exception(failure);
    }
}

} // namespace lexor
