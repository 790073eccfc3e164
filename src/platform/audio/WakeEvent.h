#pragma once
// An auto-reset event for waking a worker from the on-air tick. Setting it
// takes no lock the worker may hold (a worker preempted while holding one
// would hold up the tick): an atomic store and, only when the worker sleeps
// on it, one futex wake. The event stays set until a wait takes it, so a set
// made before the wait is never lost.
#include <atomic>
#include <cstdint>

namespace platform {

class WakeEvent {
public:
    // Never blocks.
    void set() noexcept;
    // Until set; takes the event.
    void wait() noexcept;
    // Until set (true, the event taken) or `ms` milliseconds passed (false).
    bool waitFor(int ms) noexcept;

private:
    bool take() noexcept;
    std::atomic<uint32_t> set_{0};
    std::atomic<uint32_t> sleepers_{0};
};

}  // namespace platform
