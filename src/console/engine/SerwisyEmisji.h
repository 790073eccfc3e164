#pragma once
// News bulletins and recorded programmes: the playlist holds markers
// ("#SERWIS O 14:00", "#SERWIS GRAJ O 14:00", "#AUDYCJA O 09:00",
// "#AUDYCJA GRAJ O 09:00"); the sound named by date and hour in the news or
// programme folder goes in right after its marker. In the #AKT mode the
// 500 ms timer keeps inserting ahead of the cursor while Automat runs and
// starts the "GRAJ O" items on time, without a dialog.
//
// Owned beside the timers (it reads the display's TerazMS); while it stands
// the engine hands it the start of a marker at the cursor.
#include <QString>
#include <QtGlobal>

class SilnikEmisji;
class TimeryKonsoli;

class SerwisyEmisji {
public:
    SerwisyEmisji(SilnikEmisji& silnik, const TimeryKonsoli& timery);
    ~SerwisyEmisji();
    SerwisyEmisji(const SerwisyEmisji&) = delete;
    SerwisyEmisji& operator=(const SerwisyEmisji&) = delete;

    // Element n when it is a marker whose sound is not in yet: asks (outside
    // #AKT), finds the file, inserts it after the marker.
    void WstawSerwis(qint32 n);
    // A question queued by the on-air tick answered yes: the same insertion
    // without asking again, when the marker still stands at n.
    void WstawPoPytaniu(qint32 n, const QString& tytul);
    // The 500 ms tick.
    void SERWISTimerTimer();
    // The "#AKT" label: toggles TrybAKT after a question.
    void SerwisLabelClick();

    // Whether element n is a "GRAJ O" item that this timer starts at its
    // hour in #AKT: Automat leaves it waiting.
    bool CzekaNaGodzine(qint32 n) const;

    bool TrybAKT = false;

private:
    enum class Rodzaj { Serwis, Audycja };
    void WstawZnacznik(qint32 n, bool pytaj);
    void Wstaw(qint32 n, Rodzaj rodzaj, bool pytaj);
    // The operator hears it by a dialog outside #AKT (queued while the tick
    // runs); in #AKT only the log has it.
    void Powiadom(const QString& linia1, const QString& linia2);
    // Steps 2 and 3 of the tick for one kind of timed item.
    void GrajO(Rodzaj rodzaj, qint64 teraz);
    qint32 CzasGrajO(qint32 n, Rodzaj rodzaj) const;

    SilnikEmisji& silnik_;
    const TimeryKonsoli& timery_;
    bool zajety_ = false;
    qint64 poprzedniTik_ = -1;  // day-counted ms of the last tick
    // The element that was next before a timed item behind it took the mark;
    // it is next again once the item has started; empty when none.
    QString powrot_;
};
