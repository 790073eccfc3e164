#include "platform/audio/ReleaseWorker.h"

#include "platform/SerialWorker.h"
#include "platform/audio/WakeEvent.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace platform {
namespace {

class ReleaseWorker {
public:
    ReleaseWorker() : thread_([this] { run(); }) {}

    void post(std::shared_ptr<void> object) {
        // Counted first, so that a flush never counts as done an object
        // that is handed over but not let go of yet.
        posted_.fetch_add(1);
        // A push onto a list that only the worker takes from, all at once:
        // no lock, no wait, whatever the worker is doing.
        auto* n = new Node{std::move(object), head_.load(std::memory_order_relaxed)};
        while (!head_.compare_exchange_weak(n->next, n, std::memory_order_release, std::memory_order_relaxed)) {
        }
        wake_.set();
    }

    void flush() {
        const uint64_t target = posted_.load();
        std::unique_lock lock(doneMutex_);
        done_.wait(lock, [&] { return finished_ >= target; });
    }

private:
    struct Node {
        std::shared_ptr<void> object;
        Node* next;
    };

    void run() {
        becomeBackgroundThread();
        for (;;) {
            wake_.wait();
            Node* n = head_.exchange(nullptr, std::memory_order_acquire);
            // Pushed last first: turned round, they go in the order handed over.
            Node* inOrder = nullptr;
            while (n) {
                Node* next = n->next;
                n->next = inOrder;
                inOrder = n;
                n = next;
            }
            uint64_t count = 0;
            while (inOrder) {
                Node* next = inOrder->next;
                delete inOrder;
                inOrder = next;
                ++count;
            }
            std::lock_guard lock(doneMutex_);
            finished_ += count;
            done_.notify_all();
        }
    }

    std::atomic<Node*> head_{nullptr};
    std::atomic<uint64_t> posted_{0};
    WakeEvent wake_;
    // Only flush waits here; the worker takes it after a batch, never while
    // someone hands over.
    std::mutex doneMutex_;
    std::condition_variable done_;
    uint64_t finished_ = 0;
    std::thread thread_;
};

// Never destroyed: objects may be handed over until the very end of the
// process (a player freed by a static's destructor).
ReleaseWorker& worker() {
    static auto* w = new ReleaseWorker;
    return *w;
}

}  // namespace

void releaseLater(std::shared_ptr<void> object) {
    if (object) worker().post(std::move(object));
}

void flushReleases() { worker().flush(); }

}  // namespace platform
