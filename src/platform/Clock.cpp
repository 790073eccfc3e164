#include "platform/Clock.h"

#include <QElapsedTimer>
#include <QTime>
#include <atomic>

namespace platform {

QDateTime SystemClock::now() const { return QDateTime::currentDateTime(); }
qint64 SystemClock::msOfDay() const { return QTime::currentTime().msecsSinceStartOfDay(); }
QDate SystemClock::date() const { return QDate::currentDate(); }
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
