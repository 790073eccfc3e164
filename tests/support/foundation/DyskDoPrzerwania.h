#pragma once
// A disk for copies that are to be aborted: it takes the first block (so the
// progress gauge moves and the scripted abort button can be pressed), then
// nothing more until the button was pressed, so a small copy cannot end
// before its abort however fast the machine is. Bounded: after 20 s it writes
// on. Installed for the lifetime of the object.
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

#include <unistd.h>

#include "foundation/Dialogi.h"
#include "foundation/KestKopia.h"

class DyskDoPrzerwania {
public:
    DyskDoPrzerwania() {
        // The button's flag belongs to the program's thread; the disk (the
        // copy's worker) sees a copy of it.
        przycisk_.setInterval(1);
        QObject::connect(&przycisk_, &QTimer::timeout, [this] { nacisniety_ = nacisniety_ || StanPrzerwij; });
        przycisk_.start();
        UstawZapisKopii([this](int fd, const char* bufor, size_t n) -> ssize_t {
            for (int i = 0; zapisane_ >= BlokKopii && !nacisniety_ && i < 20'000; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            const ssize_t r = ::write(fd, bufor, n);
            if (r > 0) zapisane_ += r;
            return r;
        });
    }
    ~DyskDoPrzerwania() { UstawZapisKopii({}); }
    DyskDoPrzerwania(const DyskDoPrzerwania&) = delete;
    DyskDoPrzerwania& operator=(const DyskDoPrzerwania&) = delete;

private:
    QTimer przycisk_;
    std::atomic<bool> nacisniety_{false};
    std::atomic<qint64> zapisane_{0};
};
