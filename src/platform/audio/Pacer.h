#pragma once
// The clock of a device that has no hardware behind it: every `periodMs`,
// paced by the steady clock as a card's period would be, the frames that
// fell due at `rate` since the start are handed to `work`, until `stop` is
// set. The thread sleeps to each period's end; nothing spins.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

namespace platform {

template <class Work>
void runPaced(int64_t rate, int periodMs, const std::atomic<bool>& stop, Work work) {
    using clock = std::chrono::steady_clock;
    const auto start = clock::now();
    int64_t done = 0;
    for (int64_t tick = 1; !stop.load(); ++tick) {
        std::this_thread::sleep_until(start + std::chrono::milliseconds(periodMs * tick));
        const int64_t due = rate * periodMs * tick / 1000;
        work(due - done);
        done = due;
    }
}

}  // namespace platform
