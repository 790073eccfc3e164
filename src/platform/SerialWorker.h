#pragma once
// One background thread that runs jobs one after another, in the order they
// were posted. The on-air loop hands it the disk work it must not wait for
// (day files, read-ahead, disk figures): posting takes a short lock and never
// waits for a job. The thread starts with the first job.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace platform {

// The calling thread, woken by the program's thread, waits for its turn
// rather than take the processor from it at once: a worker woken from the
// on-air tick (a refill, a file to write) never holds the tick up. It still
// gets its fair share of the processor.
void becomeBackgroundThread();

class SerialWorker {
public:
    SerialWorker() = default;
    // Runs every job still queued, then ends the thread: nothing posted is lost.
    ~SerialWorker();
    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;

    // Queues a job. A job that throws is dropped; the jobs after it still run.
    void post(std::function<void()> job);
    // Queues the job unless `limit` jobs are already waiting or running;
    // false (the job not taken) then. Never waits for the worker.
    bool tryPost(std::function<void()> job, unsigned long long limit);
    // Returns once every job posted before the call has run. Called from a
    // job of this worker it would wait for itself, so there it returns at once.
    void flush();
    // Nothing queued and nothing running.
    bool idle() const;

private:
    void run();

    mutable std::mutex mutex_;
    std::condition_variable work_;
    std::condition_variable done_;
    std::deque<std::function<void()>> jobs_;
    unsigned long long posted_ = 0;
    unsigned long long finished_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace platform
