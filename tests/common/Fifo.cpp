#include "common/Fifo.h"

#include <QFile>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

FifoFeeder::FifoFeeder(const QString& path, std::chrono::milliseconds release) {
    const QByteArray p = QFile::encodeName(path);
    ::mkfifo(p.constData(), 0600);
    // Read and write: the open never waits, and the FIFO has a writer.
    fd_ = ::open(p.constData(), O_RDWR | O_CLOEXEC);
    if (fd_ >= 0 && ::write(fd_, "X\r\n", 3) != 3) {
        ::close(fd_);
        fd_ = -1;
    }
    writer_ = std::thread([this, release] {
        std::unique_lock lock(mutex_);
        done_.wait_for(lock, release, [this] { return finished_; });
        if (fd_ >= 0) {
            read_ = unread() != 3;
            ::close(fd_);
            fd_ = -1;
        }
    });
}

FifoFeeder::~FifoFeeder() {
    {
        std::lock_guard lock(mutex_);
        finished_ = true;
    }
    done_.notify_all();
    writer_.join();
}

int FifoFeeder::unread() const {
    int left = 0;
    ::ioctl(fd_, FIONREAD, &left);
    return left;
}

bool FifoFeeder::wasRead() const {
    std::lock_guard lock(mutex_);
    return fd_ < 0 ? read_ : unread() != 3;
}
