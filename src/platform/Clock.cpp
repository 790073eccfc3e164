#include "platform/Clock.h"

#include "platform/SerialWorker.h"

#include <QElapsedTimer>
#include <QTime>
#include <atomic>
#include <chrono>
#include <thread>

namespace platform {
namespace {

constexpr qint64 kDayMs = 86'400'000;

qint64 floorDiv(qint64 a, qint64 b) { return a / b - (a % b < 0 ? 1 : 0); }

// Local time is UTC plus the zone's offset. The C library's local time looks
// at the zone file on every call (a file-system call, ten times a second for
// the clocks alone, three times for each start); the offset changes only on
// whole minutes (daylight saving, a zone the administrator changed), so it
// is asked once a minute, by a thread of its own a minute ahead: the first
// reading of a minute (often a start at the top of the hour) finds it there.
//
// Two slots, by the minute's parity, each (minute << 20) | (offset + bias).
constexpr qint64 kMinuteMs = 60'000;
constexpr int kBias = 1 << 19;  // offsets are within +-18 hours
std::atomic<quint64> zone[2] = {0, 0};

bool zoneOf(qint64 minute, int& offset) {
    const quint64 v = zone[minute & 1].load(std::memory_order_acquire);
    if (v == 0 || qint64(v >> 20) != minute) return false;
    offset = int(v & ((1u << 20) - 1)) - kBias;
    return true;
}

// Reads the zone.
int learnZone(qint64 minute) {
    const int offset = QDateTime::fromMSecsSinceEpoch(minute * kMinuteMs).offsetFromUtc();
    zone[minute & 1].store(quint64(minute) << 20 | quint64(offset + kBias), std::memory_order_release);
    return offset;
}

void learnAhead() {
    platform::becomeBackgroundThread();
    for (;;) {
        const qint64 minute = floorDiv(QDateTime::currentMSecsSinceEpoch(), kMinuteMs);
        int offset = 0;
        if (!zoneOf(minute, offset)) learnZone(minute);
        if (!zoneOf(minute + 1, offset)) learnZone(minute + 1);
        // Wakes a little into the next minute and learns the one after.
        std::this_thread::sleep_until(std::chrono::system_clock::time_point(
            std::chrono::milliseconds((minute + 1) * kMinuteMs + 100)));
    }
}

struct LocalNow {
    qint64 utcMs;
    int offsetSeconds;
    qint64 localMs() const { return utcMs + qint64(offsetSeconds) * 1000; }
};

LocalNow localNow() {
    // Never joined: it sleeps until the process ends.
    static const bool ahead = [] {
        std::thread(learnAhead).detach();
        return true;
    }();
    (void)ahead;
    const qint64 utc = QDateTime::currentMSecsSinceEpoch();
    const qint64 minute = floorDiv(utc, kMinuteMs);
    int offset = 0;
    if (!zoneOf(minute, offset)) offset = learnZone(minute);
    return {utc, offset};
}

qint64 localMsSinceEpoch() { return localNow().localMs(); }

}  // namespace

// The same instant and local date and time as the system's local time, in
// the zone's offset of this minute: reading its date and time asks no zone file.
QDateTime SystemClock::now() const {
    const LocalNow n = localNow();
    return QDateTime::fromMSecsSinceEpoch(n.utcMs, Qt::OffsetFromUTC, n.offsetSeconds);
}
qint64 SystemClock::msOfDay() const {
    const qint64 local = localMsSinceEpoch();
    return local - floorDiv(local, kDayMs) * kDayMs;
}
QDate SystemClock::date() const {
    // Julian day 2 440 588 is 1970-01-01.
    return QDate::fromJulianDay(floorDiv(localMsSinceEpoch(), kDayMs) + 2'440'588);
}
qint64 SystemClock::monotonicMs() const {
    static const QElapsedTimer start = [] { QElapsedTimer t; t.start(); return t; }();
    return start.elapsed();
}

ManualClock::ManualClock(QDate date, qint64 msOfDay) : date_(date), ms_(msOfDay) {}

void ManualClock::set(QDate date, qint64 msOfDay) {
    date_ = date;
    ms_ = msOfDay;
}

void ManualClock::advance(qint64 ms) {
    constexpr qint64 kDay = 86'400'000;
    mono_ += ms;
    qint64 t = ms_ + ms;
    qint64 days = t / kDay;
    t %= kDay;
    if (t < 0) { t += kDay; --days; }
    ms_ = t;
    date_ = date_.addDays(days);
}

namespace {
SystemClock& systemClock() {
    static SystemClock c;
    return c;
}
std::atomic<Clock*> current{nullptr};
}  // namespace

Clock& clock() {
    Clock* c = current.load(std::memory_order_acquire);
    return c ? *c : systemClock();
}

void setClock(Clock* c) { current.store(c, std::memory_order_release); }

}  // namespace platform
