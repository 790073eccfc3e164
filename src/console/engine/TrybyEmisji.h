#pragma once
// The console's operating modes and the timers other than the on-air loop,
// without a window. The mode commands change the engine's flags; the timer
// handlers are tick methods that the main window's QTimers call and a test
// calls itself with a stepped clock.
#include <QDate>
#include <QString>
#include <QtGlobal>

#include <array>
#include <functional>

#include "console/engine/OdczytPlaylisty.h"
#include "console/engine/ZegaryEmisji.h"

class QTimer;
class SilnikEmisji;
struct StanKonsoli;

// ---- the window's timers as the modes switch them ----

enum class TimerKonsoli : quint8 {
    SingleKolejno,
    AutomatTimer,
    PListaAutoodczyt,
    SatPlus,
    SATPLMWycisz,
    Liczba
};

// Which timers run. This default only keeps the flags; the main window
// installs a subclass that also starts and stops its QTimers.
class ZegaryKonsoli {
public:
    virtual ~ZegaryKonsoli() = default;
    virtual void Wlacz(TimerKonsoli t, bool wlacz) { wlaczone_[size_t(t)] = wlacz; }
    bool Wlaczony(TimerKonsoli t) const { return wlaczone_[size_t(t)]; }

private:
    std::array<bool, size_t(TimerKonsoli::Liczba)> wlaczone_{};
};
ZegaryKonsoli& Zegary();
// nullptr puts the plain flags back; the caller keeps ownership.
void UstawZegary(ZegaryKonsoli* zegary);

// Starts a timer at an interval, or stops it when the interval is 0 or less
// (a Qt timer of interval 0 would fire continuously).
void UstawTimer(QTimer& timer, int ms, bool wlacz = true);

// ---- reading a playlist (every read path goes through CzytajWTle,
// OdczytPlaylisty.h) ----
// Why a read of `plik` gave no element, for the log: the read's own error
// when it had one, else what the file holds: nothing ("pusty zbiór"), a
// playlist without a readable element ("brak pozycji w playliście"), or
// something else ("zbiór nie jest playlistą").
QString PowodBrakuPozycji(const QString& plik, int bladIO);

// ---- mode commands (each clears the input event) ----
void PrzelaczAutoStop(SilnikEmisji& silnik);
void PrzelaczSterowanie(SilnikEmisji& silnik);
void PrzelaczCisza(SilnikEmisji& silnik);
void PrzelaczTrybWstawiania(StanKonsoli& stan);
void Miksy(SilnikEmisji& silnik);
// The AS, AP and AT labels: a question, then the switch and its log line.
void EtykietaAS(SilnikEmisji& silnik);
void EtykietaAP();
void EtykietaAT();
// A deck label: the cursor goes to the element the deck carries.
void EtykietaOdtwarzacza(SilnikEmisji& silnik, quint8 deck);

// The playlist's end: the last element's air time plus its length, ms of the day.
qint64 KoniecPlaylisty();

// Fires once when the clock passes a time of day. A handler that tests for
// equality misses the second when the GUI thread was busy; this one only
// needs to see the clock before and after. Jumps of half a day or more (the
// clock was set) do not count.
class PrzejscieCzasu {
public:
    explicit PrzejscieCzasu(qint64 msDoby) : cel_(msDoby) {}
    // True once per crossing; the first call only takes the time.
    bool Minal(QDate data, qint64 msDoby);

private:
    qint64 cel_;
    qint64 poprzedni_ = -1;
};

// ---- the timers' handlers ----
class TimeryKonsoli {
public:
    explicit TimeryKonsoli(SilnikEmisji& silnik);

    void TimerWyswietlaczTimer();
    // The clocks at the present time (the display tick runs it; a mode
    // label's click too, so that its colour follows at once).
    void OdswiezZegary();
    void SingleKolejnoTimerTimer();
    void GrajBlokReklamyTimer();
    void TListaSynchroKolejnoTimerTimer();
    // Whether the time-list and advert-block handlers have anything to look
    // at; while they have not, the window lets their timers rest.
    bool TimelistaCzeka() const;
    bool BlokReklamCzeka() const;
    void AutomatTimerTimer();
    void PListaAutoodczytTimerTimer();
    void SatPlusTimerTimer();
    void SATPLMWyciszTimerTimer();

    // The timers that the settings ask for at showing.
    void WlaczTimeryStartowe();

    // ---- state ----
    bool TimerWyswietlaczZajety = false;
    bool TimelistaZajeta = false;
    bool TimelistaSynchroJest = false;
    qint64 DoNastepnejTL = 0;
    bool AutomatPrzedBlokiem = false;
    // Time of day in ms as the clock display keeps it (whole seconds); the
    // one the panels and commands read.
    qint64 TerazMS = 0;
    // What the clock labels show after the last refresh.
    WskazaniaZegarow Zegar;
    bool MiksZmiana = false;
    // The RDS label's scrolling start (1-based) and its refresh count.
    int RDSPozycja = 1;
    QString RDSEtykieta;
    // The date label is red while a time-list block plays.
    bool DataCzerwona = false;
    // File date of the next day's playlist when it was read.
    QString AutoodczytData;

private:
    void OdczytNastepnegoDnia(qint64 sekundy);
    // Reads `plik` on the read worker, its advert lists merged and, with
    // `czasy`, its durations checked there too; `naAntenie` runs once it has
    // gone on air, else `inaczej` (with whether the file was there). A file
    // that is not there is passed over in silence (the next look tries
    // again), one that reads badly is logged; either way the current
    // playlist stays.
    void WczytajPlayliste(const QString& plik, std::function<void(const OdczytanaLista&)> naAntenie,
                          std::function<void(bool jest)> inaczej = {}, bool czasy = false);
    // Midnight's start of the next day's playlist (not in SAT mode).
    void StartPolnocy();

    SilnikEmisji& silnik_;
    int odswiezenia_ = 0;
    PrzejscieCzasu godzinaDI_{3'600'000};
    PrzejscieCzasu polnocAutomat_{0};
    PrzejscieCzasu polnocOdczyt_{0};
    bool odczytJutra_ = false;       // the next day's list is being read
    bool polnocPoOdczycie_ = false;  // midnight passed meanwhile
};
