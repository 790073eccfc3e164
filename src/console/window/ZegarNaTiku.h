#pragma once
// A periodic timer without a wake of its own: the on-air tick's wake carries
// it. On this machine class a wake of the GUI thread costs more than the
// display refresh itself, and the tick wakes it 33 times a second anyway.
// Each tick asks whether the period has passed (to the nearest tick, so that
// ten refreshes still come every second) and the work is then queued behind
// the tick: whatever it opens may wait for the operator while the tick runs
// on, and it never runs inside itself.
#include <QObject>

#include <functional>

class ZegarNaTiku final : public QObject {
    Q_OBJECT  // the window finds it by name among its children

public:
    ZegarNaTiku(const QString& nazwa, int ms, std::function<void()> praca, QObject* rodzic);

    int interval() const { return ms_; }
    bool isActive() const { return aktywny_; }
    // The first run comes a period after the start.
    void start();
    void stop();
    // The carrying timer's wake; `tikMs` is its period.
    void Tik(int tikMs);

private:
    static qint64 teraz();

    const int ms_;
    std::function<void()> praca_;
    bool aktywny_ = false;
    bool zlecony_ = false;
    bool trwa_ = false;
    qint64 termin_ = 0;  // the program's monotonic clock, ms
};
