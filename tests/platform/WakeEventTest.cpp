#include <gtest/gtest.h>

#include <thread>

#include "platform/audio/WakeEvent.h"

using platform::WakeEvent;

// The refill thread's wake: a set made before the wait is kept (two sets
// are one), a wait without a set runs out, and a thread woken again and
// again by another never misses a wake, whichever comes first.
TEST(WakeEvent, KeepsASetUntilTakenAndNeverLosesAWake) {
    WakeEvent e;
    EXPECT_FALSE(e.waitFor(1));
    e.set();
    e.set();
    EXPECT_TRUE(e.waitFor(0));
    EXPECT_FALSE(e.waitFor(1));

    constexpr int kRounds = 2000;
    WakeEvent back;
    int woken = 0;  // written by the other thread; read after the join
    std::thread t([&] {
        for (int i = 0; i < kRounds; ++i) {
            if (i % 2) e.wait();
            else if (!e.waitFor(5000)) break;
            ++woken;
            back.set();
        }
    });
    int missed = 0;
    for (int i = 0; i < kRounds; ++i) {
        e.set();
        if (!back.waitFor(5000)) ++missed;
    }
    t.join();
    EXPECT_EQ(missed, 0);
    EXPECT_EQ(woken, kRounds);
}
