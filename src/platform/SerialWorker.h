#pragma once
// One background thread that runs jobs one after another, in the order they
// were posted. The on-air loop hands it the disk work it must not wait for
// (day files, read-ahead, disk figures): posting takes a short lock and never
// waits for a job. The thread starts with the first job.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
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
    // Waits for every job, however long that takes.
    static constexpr std::chrono::milliseconds kWaitForever = std::chrono::milliseconds::max();

    // `stopWait`: how long the destructor waits for the jobs still to run.
    // A worker whose jobs own everything they touch (copies, shared
    // pointers) may be given a bound, so that a job stuck on a share that
    // hangs never holds up the end of its owner: the job then finishes on
    // its thread whenever the call returns, and the jobs queued after it
    // are dropped.
    explicit SerialWorker(std::chrono::milliseconds stopWait = kWaitForever) : stopWait_(stopWait) {}
    // Runs every job still queued, then ends the thread: nothing posted is
    // lost (within the stop wait).
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
    // Shared with the thread, which may outlive the worker (a job stuck
    // past the stop wait).
    struct Core {
        std::mutex mutex;
        std::condition_variable work;
        std::condition_variable done;
        std::deque<std::function<void()>> jobs;
        unsigned long long posted = 0;
        unsigned long long finished = 0;
        bool stopping = false;
        bool exited = false;
        std::thread::id threadId;
    };
    static void run(const std::shared_ptr<Core>& core);

    const std::chrono::milliseconds stopWait_;
    std::shared_ptr<Core> core_ = std::make_shared<Core>();
    std::thread thread_;
};

}  // namespace platform
