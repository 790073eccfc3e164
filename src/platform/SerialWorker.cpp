#include "platform/SerialWorker.h"

#include <pthread.h>
#include <sched.h>

namespace platform {

void becomeBackgroundThread() {
    // A batch thread does not preempt the one that wakes it; an ordinary
    // user may choose it for its own threads.
    sched_param p{};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &p);
}

SerialWorker::~SerialWorker() {
    std::unique_lock<std::mutex> lock(core_->mutex);
    core_->stopping = true;
    core_->work.notify_one();
    if (!thread_.joinable()) return;
    if (stopWait_ != kWaitForever &&
        !core_->done.wait_for(lock, stopWait_, [this] { return core_->exited; })) {
        // Stuck: what is queued behind the job would outlive what it uses.
        core_->jobs.clear();
        lock.unlock();
        thread_.detach();
        return;
    }
    lock.unlock();
    thread_.join();
}

void SerialWorker::post(std::function<void()> job) { tryPost(std::move(job), ~0ULL); }

bool SerialWorker::tryPost(std::function<void()> job, unsigned long long limit) {
    {
        std::lock_guard<std::mutex> lock(core_->mutex);
        if (core_->posted - core_->finished >= limit) return false;
        core_->jobs.push_back(std::move(job));
        ++core_->posted;
        if (!thread_.joinable()) {
            thread_ = std::thread([core = core_] { run(core); });
            core_->threadId = thread_.get_id();
        }
    }
    core_->work.notify_one();
    return true;
}

void SerialWorker::flush() {
    std::unique_lock<std::mutex> lock(core_->mutex);
    if (core_->threadId == std::this_thread::get_id()) return;
    const unsigned long long target = core_->posted;
    core_->done.wait(lock, [&] { return core_->finished >= target; });
}

bool SerialWorker::idle() const {
    std::lock_guard<std::mutex> lock(core_->mutex);
    return core_->finished == core_->posted;
}

void SerialWorker::run(const std::shared_ptr<Core>& core) {
    becomeBackgroundThread();
    std::unique_lock<std::mutex> lock(core->mutex);
    for (;;) {
        core->work.wait(lock, [&] { return core->stopping || !core->jobs.empty(); });
        if (core->jobs.empty()) break;  // stopping, and everything ran
        std::function<void()> job = std::move(core->jobs.front());
        core->jobs.pop_front();
        lock.unlock();
        try {
            job();
        } catch (...) {
            // A job reports its own failures; one that throws must not take
            // the jobs after it (or the program) down.
        }
        job = nullptr;  // whatever it captured goes before it counts as done
        lock.lock();
        ++core->finished;
        core->done.notify_all();
    }
    core->exited = true;
    core->done.notify_all();
}

}  // namespace platform
