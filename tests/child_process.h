#pragma once
// Running part of a test in a forked child, for what the test process itself must not go
// through: a lowered memory limit, or being ended by a signal; or to keep something going
// beside the test, in another process, until the test kills it. The child reports back through
// a pipe and its exit status.

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <functional>
#include <string>

namespace childtest {

// AddressSanitizer reserves terabytes of address space up front, so nothing runs under an
// address-space limit (RLIMIT_AS) in a sanitized build.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif
inline constexpr const char* kNoLimitUnderAsan =
    "built with AddressSanitizer, which cannot run under an address-space limit (RLIMIT_AS)";

struct Outcome {
    int exitCode = -1; // when the child exited
    int signal = 0;    // the signal that ended it, else 0
    std::string report;

    bool exited(int code) const { return signal == 0 && exitCode == code; }
};

// The exit code of a child whose body threw.
inline constexpr int kThrew = 125;

// Runs body in a child process; body writes what the parent should see into `report` and
// returns the exit code. The child leaves with _exit, so nothing of the test runner runs twice.
inline Outcome runInChild(const std::function<int(std::string& report)>& body) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return {};
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        std::string report;
        int code = kThrew;
        try { // an exception must not carry the child back into the test runner
            code = body(report);
        } catch (const std::exception& e) {
            report = std::string("threw: ") + e.what();
        }
        for (std::size_t done = 0; done < report.size();) {
            const ssize_t n = ::write(pipeFds[1], report.data() + done, report.size() - done);
            if (n <= 0) break;
            done += std::size_t(n);
        }
        ::_exit(code);
    }
    ::close(pipeFds[1]);
    Outcome outcome;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        outcome.report.append(buffer, std::size_t(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status)) outcome.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
    return outcome;
}

// A child process that keeps what its body set up (a save in progress, say) until the parent
// kills it. The body sets things up and calls hold(), which tells the parent it is ready and
// waits for good; a body that returns without calling it tells the parent it failed. Killed
// with SIGKILL (by kill(), or when the HeldChild goes), so nothing of it is cleaned up, as when
// a process is killed outright.
class HeldChild {
  public:
    using Hold = std::function<void()>;

    explicit HeldChild(const std::function<void(const Hold& hold)>& body) {
        int readyFds[2];
        if (::pipe(readyFds) != 0) return;
        std::fflush(nullptr);
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(readyFds[0]);
            const Hold hold = [&] {
                const char ready = 'y';
                if (::write(readyFds[1], &ready, 1) == 1)
                    for (;;)
                        ::pause();
                ::_exit(kThrew);
            };
            try {
                body(hold);
            } catch (...) {
            }
            ::_exit(kThrew);
        }
        ::close(readyFds[1]);
        char ready = 0;
        m_ready = m_pid > 0 && ::read(readyFds[0], &ready, 1) == 1 && ready == 'y';
        ::close(readyFds[0]);
    }
    HeldChild(const HeldChild&) = delete;
    HeldChild& operator=(const HeldChild&) = delete;
    ~HeldChild() { kill(); }

    // Whether the body got as far as hold().
    bool ready() const { return m_ready; }
    // Kills the child outright and waits for it to be gone.
    void kill() {
        if (m_pid <= 0) return;
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

  private:
    pid_t m_pid = -1;
    bool m_ready = false;
};

// The process's address space now, in bytes (VmSize).
inline std::size_t addressSpaceInUse() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmSize:", 0) == 0) return std::stoul(line.substr(7)) * 1024; // given in kB
    return 0;
}

// Lets the calling process use only `extra` bytes of address space beyond what it uses now.
inline bool limitAddressSpaceTo(std::size_t extra) {
    const rlim_t limit = rlim_t(addressSpaceInUse() + extra);
    const rlimit r{limit, limit};
    return ::setrlimit(RLIMIT_AS, &r) == 0;
}

// Leaves the calling process about `spare` bytes of memory, in 4 KiB pieces: an address-space
// limit a little above what it uses now, then everything up to it taken (memory already free
// in the heap included) but `spare`. Small allocations still succeed; anything larger fails.
// The memory is never given back: the child ends soon after.
inline bool leaveOnlyMemory(std::size_t spare) {
    constexpr std::size_t kBlock = 4096;
    if (!limitAddressSpaceTo(1024 * 1024)) return false;
    void* taken = nullptr; // a list threaded through the blocks themselves, which needs no memory
    while (void* block = std::malloc(kBlock)) {
        *static_cast<void**>(block) = taken;
        taken = block;
    }
    for (std::size_t freed = 0; freed < spare && taken != nullptr; freed += kBlock) {
        void* next = *static_cast<void**>(taken);
        std::free(taken);
        taken = next;
    }
    return true;
}

} // namespace childtest
