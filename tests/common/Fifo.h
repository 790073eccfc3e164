#pragma once
// A FIFO for the tests of readers that must refuse one. A reader that opens
// it anyway gets one line from a writer that closes after `release`, so the
// reader returns instead of waiting forever; wasRead() tells whether it did.
#include <QString>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class FifoFeeder {
public:
    explicit FifoFeeder(const QString& path, std::chrono::milliseconds release = std::chrono::milliseconds(2000));
    ~FifoFeeder();
    FifoFeeder(const FifoFeeder&) = delete;
    FifoFeeder& operator=(const FifoFeeder&) = delete;
    // Whether a reader took the line.
    bool wasRead() const;

private:
    int unread() const;

    int fd_ = -1;
    bool read_ = false;
    mutable std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread writer_;
};
