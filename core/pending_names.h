#pragma once
// The temporary names of saves in progress, kept where a signal handler can find them: a
// terminating signal (kTerminatingSignals) removes every name on the way out. Internal to the
// atomic save (core/atomic_file.cpp); the front ends only call cleanUpSavesOnSignals().

#include <signal.h>

#include <atomic>
#include <string>

namespace core::pending {

// Keeps the terminating signals away while a temporary name appears or disappears, so the
// name is always recorded when a handler could see it.
class SignalBlock {
  public:
    SignalBlock();
    ~SignalBlock();
    SignalBlock(const SignalBlock&) = delete;
    SignalBlock& operator=(const SignalBlock&) = delete;

  private:
    sigset_t m_old;
};

// One recorded name: a folder handle and a name in it. A handler may run at any moment, so a
// slot is claimed, filled and only then published with its folder; lock-free atomics are safe
// to read in a handler.
struct Slot {
    static constexpr int kFree = -1, kClaimed = -2;
    std::atomic<int> folder{kFree};
    char name[32] = {};
};

// While a thread makes a temporary name, with the terminating signals blocked on it (so a
// handler never waits for its own thread): a handler waits for such threads to publish their
// names before it removes the published ones.
class NamingWindow {
  public:
    NamingWindow();
    ~NamingWindow();
    NamingWindow(const NamingWindow&) = delete;
    NamingWindow& operator=(const NamingWindow&) = delete;
    // The program is being ended by a signal: make no name.
    static bool programEnding();
};

// A free slot, claimed for a name about to be made. Never fails: slots come in blocks, and a
// new block is added when every slot is taken.
Slot& claim();
// The name exists now, in the folder: a handler removes it from here on.
void publish(Slot& slot, int folder, const std::string& name);
// The name is gone (renamed or removed), or was never made.
void release(Slot& slot);

} // namespace core::pending
