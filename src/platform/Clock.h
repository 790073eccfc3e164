#pragma once
// The one source of time. The program runs on the system clock; tests set a
// ManualClock and step it, so nothing ever waits on the wall clock.
#include <QDate>
#include <QDateTime>
#include <QtGlobal>
#include <atomic>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // The date and the time of day of one instant. Whoever needs both takes
    // them from one call: read apart, they can be a day apart at midnight.
    virtual QDateTime now() const = 0;
    // Milliseconds since midnight, 0 .. 86 399 999.
    virtual qint64 msOfDay() const { return now().time().msecsSinceStartOfDay(); }
    virtual QDate date() const { return now().date(); }
    // Milliseconds from an arbitrary start; never goes back.
    virtual qint64 monotonicMs() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override;
    qint64 msOfDay() const override;
    QDate date() const override;
    qint64 monotonicMs() const override;
};

class ManualClock final : public Clock {
public:
    explicit ManualClock(QDate date = QDate(2026, 12, 6), qint64 msOfDay = 12 * 3600 * 1000);
    // In UTC, so that a time set inside a daylight-saving gap reads back as set.
    QDateTime now() const override { return QDateTime(date_, QTime::fromMSecsSinceStartOfDay(int(ms_)), Qt::UTC); }
    qint64 msOfDay() const override { return ms_; }
    QDate date() const override { return date_; }
    qint64 monotonicMs() const override { return mono_.load(); }

    void set(QDate date, qint64 msOfDay);
    // Moves time on, across midnight into the next days when needed.
    void advance(qint64 ms);

private:
    QDate date_;
    qint64 ms_;
    std::atomic<qint64> mono_{0};  // read by the sound device watcher's thread too
};

// The clock the program reads. Defaults to a SystemClock; a test installs its
// own and puts the previous one back (ScopedClock).
Clock& clock();
void setClock(Clock* c);  // nullptr: the system clock

class ScopedClock {
public:
    explicit ScopedClock(Clock* c) : prev_(&clock()) { setClock(c); }
    ~ScopedClock() { setClock(prev_); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    Clock* prev_;
};

}  // namespace platform
