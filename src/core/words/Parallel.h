#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <exception>
#include <functional>
#include <system_error>
#include <thread>
#include <type_traits>
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

// The one way the program fans work out. Runs task(k) for each k of
// [0, tasks): the first on the calling thread, the others on threads of
// their own, or on the calling thread after it where no thread can be had,
// so work never fails for want of a thread. Returns once all are done; an
// exception of any task is thrown again here. The tasks must not write to
// the same place.
template <class Task> void SideBySide(unsigned tasks, Task task)
{
    std::vector<std::exception_ptr> failures(tasks);
    const auto run = [&task, &failures](unsigned k) {
        try {
            task(k);
        } catch (...) {
            failures[k] = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    unsigned k = 1;
    try {
        helpers.reserve(tasks);
        for (; k < tasks; ++k)
            helpers.emplace_back(run, k);
    } catch (const std::system_error&) {
    } catch (const std::bad_alloc&) {
    }
    if (tasks > 0)
        run(0);
    for (; k < tasks; ++k)
        run(k);
    for (std::thread& helper : helpers)
        helper.join();
    for (const std::exception_ptr& failure : failures) {
        if (failure)
            std::rethrow_exception(failure);
    }
}

// A few different tasks side by side, as above.
template <class... Tasks>
requires(sizeof...(Tasks) > 1 && (std::is_invocable_v<Tasks&> && ...)) void SideBySide(Tasks&&... tasks)
{
    const std::array<std::function<void()>, sizeof...(Tasks)> all{std::forward<Tasks>(tasks)...};
    SideBySide(static_cast<unsigned>(all.size()), [&all](unsigned k) { all[k](); });
}

// Runs work(part, first, last) for each of `parts` consecutive, nearly equal
// parts of [0, count), side by side.
template <class Work> void ForEachPart(std::size_t count, unsigned parts, Work work)
{
    parts = std::max(parts, 1u);
    const auto bound = [count, parts](unsigned part) { return count / parts * part + count % parts * part / parts; };
    SideBySide(parts, [&work, &bound](unsigned part) { work(part, bound(part), bound(part + 1)); });
}

} // namespace lexor
