#include "platform/audio/WakeEvent.h"

#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <ctime>

namespace platform {
namespace {

static_assert(sizeof(std::atomic<uint32_t>) == sizeof(uint32_t));

// Sleeps while *word is 0, at most `timeout` (null: no limit); returns on a
// wake, a signal or the time-out alike: the caller looks again.
void futexWait(std::atomic<uint32_t>& word, const timespec* timeout) noexcept {
    syscall(SYS_futex, reinterpret_cast<uint32_t*>(&word), FUTEX_WAIT_PRIVATE, 0u, timeout, nullptr, 0);
}

void futexWake(std::atomic<uint32_t>& word) noexcept {
    syscall(SYS_futex, reinterpret_cast<uint32_t*>(&word), FUTEX_WAKE_PRIVATE, 1, nullptr, nullptr, 0);
}

}  // namespace

// Both sides write their own word and then read the other's, in one total
// order: either the setter sees the sleeper and wakes it, or the sleeper
// sees the event set before it sleeps (and the futex refuses to sleep on a
// word that changed in between).
void WakeEvent::set() noexcept {
    set_.store(1);
    if (sleepers_.load() > 0) futexWake(set_);
}

bool WakeEvent::take() noexcept { return set_.exchange(0) == 1; }

void WakeEvent::wait() noexcept {
    if (take()) return;
    sleepers_.fetch_add(1);
    while (!take()) futexWait(set_, nullptr);
    sleepers_.fetch_sub(1);
}

bool WakeEvent::waitFor(int ms) noexcept {
    if (take()) return true;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    sleepers_.fetch_add(1);
    bool got = false;
    for (;;) {
        if ((got = take())) break;
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero()) break;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        const timespec t{time_t(ns / 1'000'000'000), long(ns % 1'000'000'000)};
        futexWait(set_, &t);
    }
    sleepers_.fetch_sub(1);
    return got;
}

}  // namespace platform
