#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/SerialWorker.h"

using platform::SerialWorker;

TEST(SerialWorker, RunsJobsInOrderOffThePostingThreadAndFlushWaitsForThem) {
    SerialWorker w;
    EXPECT_TRUE(w.idle());
    std::vector<int> done;  // only the worker writes it until flush returns
    std::thread::id where;
    // The first job holds the worker until the test lets it go, so the
    // others are surely queued behind it when flush is called.
    std::promise<void> go;
    std::shared_future<void> gate = go.get_future().share();
    w.post([&, gate] {
        gate.wait();
        where = std::this_thread::get_id();
        done.push_back(1);
    });
    for (int i = 2; i <= 100; ++i) w.post([&done, i] { done.push_back(i); });
    EXPECT_FALSE(w.idle());
    go.set_value();
    w.flush();
    EXPECT_TRUE(w.idle());
    ASSERT_EQ(done.size(), 100u);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(done[size_t(i)], i + 1);
    EXPECT_NE(where, std::this_thread::get_id());
}

TEST(SerialWorker, AThrowingJobIsDroppedAndFlushFromAJobDoesNotWaitForItself) {
    SerialWorker w;
    std::atomic<int> after{0};
    w.post([] { throw std::runtime_error("disk gone"); });
    w.post([&] {
        w.flush();  // returns at once on the worker's own thread
        ++after;
    });
    w.flush();
    EXPECT_EQ(after.load(), 1);
}

TEST(SerialWorker, DestroyingItRunsWhatIsStillQueued) {
    std::atomic<int> ran{0};
    std::promise<void> go;
    std::shared_future<void> gate = go.get_future().share();
    {
        SerialWorker w;
        w.post([&, gate] {
            gate.wait();
            ++ran;
        });
        for (int i = 0; i < 10; ++i) w.post([&] { ++ran; });
        go.set_value();
    }
    EXPECT_EQ(ran.load(), 11);
    // A worker that never got a job has no thread to end.
    { SerialWorker unused; }
}
