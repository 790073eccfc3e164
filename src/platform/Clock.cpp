#include "platform/Clock.h"

#include <QElapsedTimer>
#include <QTime>
#include <atomic>
#include <limits>

namespace platform {
namespace {

constexpr qint64 kDayMs = 86'400'000;

qint64 floorDiv(qint64 a, qint64 b) { return a / b - (a % b < 0 ? 1 : 0); }

// Local time is UTC plus the zone's offset. The C library's local time looks
// at the zone file on every call (a file-system call, ten times a second for
// the clocks alone); the offset changes only on whole minutes (daylight
// saving, a zone the administrator changed), so it is asked once a minute.
qint64 localMsSinceEpoch() {
    thread_local qint64 minute = std::numeric_limits<qint64>::min();
    thread_local qint64 offsetMs = 0;
    const qint64 utc = QDateTime::currentMSecsSinceEpoch();
    const qint64 m = floorDiv(utc, 60'000);
    if (m != minute) {
        minute = m;
        offsetMs = qint64(QDateTime::fromMSecsSinceEpoch(utc).offsetFromUtc()) * 1000;
    }
    return utc + offsetMs;
}

}  // namespace

QDateTime SystemClock::now() const { return QDateTime::currentDateTime(); }
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
