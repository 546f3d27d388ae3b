#pragma once
// Work shared among threads: the calling thread and up to threads - 1 more each run the same
// work function, which takes its share from a counter of its own, until none is left. A thread
// the system will not start, or has no memory for, leaves its share to the ones there are.

#include <cstddef>
#include <functional>

namespace core {

// Returns once every thread's run of work has returned.
void runOnThreads(std::size_t threads, const std::function<void()>& work);

} // namespace core
