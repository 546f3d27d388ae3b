#pragma once
// Running part of a test in a forked child, for what the test process itself must not go
// through: a lowered memory or process limit, or being ended by a signal; or to keep something
// going beside the test, in another process, until the test kills it. The child reports back
// through a pipe and its exit status.

#include <grp.h>
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
#include <vector>

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

// What the child pid wrote into the pipe it reads from, then how it ended.
inline Outcome outcomeOf(pid_t pid, int fromChild) {
    Outcome outcome;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fromChild, buffer, sizeof buffer)) > 0;)
        outcome.report.append(buffer, std::size_t(n));
    ::close(fromChild);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status)) outcome.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
    return outcome;
}

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
    return outcomeOf(pid, pipeFds[0]);
}

// Runs the program at path with args and environment env in a child that can start no thread
// or process: the process limit of its user (RLIMIT_NPROC) is set to none. The limit does not
// bind root, so a child of root first becomes the user nobody, and the files it reads and the
// folders it writes must be open to everyone. The report is what the program wrote to stdout and
// stderr; exitCode 126 when the child could not be set up so.
inline Outcome runWithoutNewThreads(const std::string& path, const std::vector<std::string>& args,
                                    const std::vector<std::string>& env) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return {};
    std::vector<char*> argv = {const_cast<char*>(path.c_str())}, envp;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    for (const std::string& variable : env)
        envp.push_back(const_cast<char*>(variable.c_str()));
    envp.push_back(nullptr);
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::dup2(pipeFds[1], STDERR_FILENO);
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(126);
        const rlimit none{0, 0}; // set after the user changed: the change itself must not count
        if (::setrlimit(RLIMIT_NPROC, &none) != 0) ::_exit(126);
        ::execve(path.c_str(), argv.data(), envp.data());
        ::_exit(126);
    }
    ::close(pipeFds[1]);
    return outcomeOf(pid, pipeFds[0]);
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
