#pragma once
// The timed airing decision ("Decyzja o emisji"): before an element or a
// single goes on air the operator is asked whether to air it now, with a
// running clock of when it would end. A desk input edge answers "yes" as well
// and tells which input it was, so the caller can start the matching player.
#include <QString>
#include <QtGlobal>

// Which input answered the last decision: 0 none, 1 the player-1 input
// (0x40 fell), 2 the player-2 input (0x08 fell), 3 input 2 (0x80 rose).
extern quint8 DecyzjaGPI;
// 1 while the main window reads the desk inputs itself; the decision takes
// them over while it is shown.
extern quint8 OknoGlowneAktywne;

// What one 50 ms tick of the decision window does, apart from the window, so
// that the real window and the test script run the same rules.
class StanDecyzjiCzas {
public:
    explicit StanDecyzjiCzas(qint64 czasMs) : czasMs_(czasMs) {}

    // One tick: refreshes the end-of-airing clock and polls the input word.
    // True when an input edge answered (DecyzjaGPI tells which).
    bool Tik();
    // The end-of-airing clock (time format 1, not wrapped at midnight).
    const QString& Koniec() const { return koniec_; }
    // Whether the last tick changed the clock text (the window redraws only then).
    bool KoniecZmieniony() const { return zmieniony_; }
    qint64 CzasMs() const { return czasMs_; }

private:
    qint64 czasMs_;
    QString koniec_;
    bool zmieniony_ = false;
};

// The end-of-airing clock for a duration started now.
QString KoniecEmisjiTekst(qint64 czasMs);
// Which input an edge of the input word from `przed` to `teraz` stands for
// (0 none); a later match wins, so both player inputs falling give 2.
quint8 WejscieDecyzji(quint16 przed, quint16 teraz);

// Button sets: 2 Tak/Nie, 3 Tak/Nie/Opuść, 4 none (an input answers); any
// other acts as 2. The answer (6 Tak or an input, 7 Nie, 10 Opuść) is left in
// the input event; returns the modal result 6, 7 or 2.
int DecyzjaOEmisji(const QString& linia, const QString& tytul, qint64 czasMs, int zestaw);
// Whether the decision window is shown now (the singles in sequence wait).
bool DecyzjaOEmisjiWidoczna();
