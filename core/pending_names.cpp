// The temporary names of saves in progress and the signal handlers that remove them (see
// pending_names.h). Everything a handler touches is a lock-free atomic or a slot published
// through one.

#include "core/pending_names.h"

#include "core/atomic_file.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

namespace core {

namespace pending {

namespace {

// Slots come in blocks: one to start with, another whenever more saves are in progress at once
// than the blocks hold. A block is never freed, as a handler may be reading it.
struct Block {
    Slot slots[64];
    std::atomic<Block*> next{nullptr};
};
Block g_slots;

// Threads between making a temporary name and publishing it (or giving up). A handler waits
// for them before it removes the published names; once it has begun (g_ending), no thread makes
// a new name. Both are sequentially consistent, so a thread that misses g_ending is seen
// counted by the handler.
std::atomic<int> g_naming{0};
std::atomic<bool> g_ending{false};

// Waits, from a signal handler, until no thread is between making a name and publishing it;
// gives up after about a second, should such a thread be stopped.
void waitForNaming() noexcept {
    const timespec pause{0, 1000 * 1000};
    for (int i = 0; i < 1000 && g_naming.load() != 0; ++i)
        ::nanosleep(&pause, nullptr);
}

extern "C" void onTerminatingSignal(int signal) {
    const int savedErrno = errno;
    // No thread makes a name from now on; those making one now publish it first.
    g_ending.store(true);
    waitForNaming();
    discardSavesInProgress();
    // End as the signal would have: the default action, delivered once this handler returns.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
    errno = savedErrno;
}

} // namespace

SignalBlock::SignalBlock() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kTerminatingSignals)
        sigaddset(&set, signal);
    pthread_sigmask(SIG_BLOCK, &set, &m_old);
}

SignalBlock::~SignalBlock() {
    pthread_sigmask(SIG_SETMASK, &m_old, nullptr);
}

NamingWindow::NamingWindow() {
    g_naming.fetch_add(1);
}

NamingWindow::~NamingWindow() {
    g_naming.fetch_sub(1);
}

bool NamingWindow::programEnding() {
    return g_ending.load();
}

Slot& claim() {
    for (Block* block = &g_slots;;) {
        for (Slot& slot : block->slots) {
            int expected = Slot::kFree;
            if (slot.folder.compare_exchange_strong(expected, Slot::kClaimed)) return slot;
        }
        Block* next = block->next.load();
        if (next == nullptr) {
            auto* fresh = new Block;
            fresh->slots[0].folder.store(Slot::kClaimed);
            if (block->next.compare_exchange_strong(next, fresh)) return fresh->slots[0];
            delete fresh; // another thread added a block first: look through it
        }
        block = next;
    }
}

void publish(Slot& slot, int folder, const std::string& name) {
    std::snprintf(slot.name, sizeof slot.name, "%s", name.c_str());
    slot.folder.store(folder);
}

void release(Slot& slot) {
    slot.folder.store(Slot::kFree);
}

} // namespace pending

void discardSavesInProgress() noexcept {
    for (pending::Block* block = &pending::g_slots; block != nullptr; block = block->next.load())
        for (pending::Slot& slot : block->slots) {
            const int folder = slot.folder.load();
            if (folder >= 0) ::unlinkat(folder, slot.name, 0);
        }
}

void cleanUpSavesOnSignals() {
    for (int signal : kTerminatingSignals) {
        struct sigaction current {};
        ::sigaction(signal, nullptr, &current);
        if (current.sa_handler == SIG_IGN) continue; // started with nohup, say
        struct sigaction action {};
        action.sa_handler = pending::onTerminatingSignal;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace core
