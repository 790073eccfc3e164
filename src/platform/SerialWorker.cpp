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
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    work_.notify_one();
    if (thread_.joinable()) thread_.join();
}

void SerialWorker::post(std::function<void()> job) { tryPost(std::move(job), ~0ULL); }

bool SerialWorker::tryPost(std::function<void()> job, unsigned long long limit) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (posted_ - finished_ >= limit) return false;
        jobs_.push_back(std::move(job));
        ++posted_;
        if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
    }
    work_.notify_one();
    return true;
}

void SerialWorker::flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (thread_.joinable() && thread_.get_id() == std::this_thread::get_id()) return;
    const unsigned long long target = posted_;
    done_.wait(lock, [&] { return finished_ >= target; });
}

bool SerialWorker::idle() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return finished_ == posted_;
}

void SerialWorker::run() {
    becomeBackgroundThread();
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        work_.wait(lock, [&] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty()) return;  // stopping, and everything ran
        std::function<void()> job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        try {
            job();
        } catch (...) {
            // A job reports its own failures; one that throws must not take
            // the jobs after it (or the program) down.
        }
        job = nullptr;  // whatever it captured goes before it counts as done
        lock.lock();
        ++finished_;
        done_.notify_all();
    }
}

}  // namespace platform
