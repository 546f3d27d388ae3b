// Work shared among threads; see worker_threads.h.

#include "core/worker_threads.h"

#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace core {

void runOnThreads(std::size_t threads, const std::function<void()>& work) {
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error&) {
            break; // the system gives no more threads
        } catch (const std::bad_alloc&) {
            break; // nor the memory for one
        }
    }
    work();
    for (std::thread& helper : helpers)
        helper.join();
}

} // namespace core
