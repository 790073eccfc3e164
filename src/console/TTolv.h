#pragma once
// The main window of the console. It owns the on-air engine, turns the
// window system's input into input events for the command dispatcher,
// draws the panels from the engine's state and holds the timers that will
// drive the engine's ticks.
#include "console/Dyspozytor.h"
#include "console/PrzyciskiKonsoli.h"
#include "console/PanelOdtwarzacza.h"
#include "console/SilnikEmisji.h"
#include "foundation/KestGraf2.h"

#include <QTimer>

class TTolv : public TRForm, private CelDyspozytora {
public:
    // The window is never smaller than this; everything is laid out on the
    // 648 x 507 grid scaled to the window.
    static constexpr int MinimalnaSzerokosc = 1030;
    static constexpr int MinimalnaWysokosc = 746;

    explicit TTolv(QWidget* parent = nullptr);

    SilnikEmisji& Silnik() { return silnik_; }
    Dyspozytor& dyspozytor() { return dyspozytor_; }
    PrzyciskiKonsoli& Przyciski() { return przyciski_; }

    // The lower panel at start-up from the setting ModulStart (1 long
    // playlist, 2 description, 3 timeline; anything else the singles wall).
    void UstawPanelStartowy(quint8 modulStart);

    // Lays the buttons out on the current window size and settings, and
    // redraws the whole window.
    void Rozmiesc();
    void RysujOkno();
    void RysujPasekPrzyciskow();
    // Decks A and B from the engine's records and the last display refresh.
    void RysujOdtwarzacze();

    // Timers of the on-air work, created stopped; start-up enables them.
    QTimer* Timer1;                     // 30 ms: the on-air loop
    QTimer* TimerWyswietlacz;           // 100 ms: display refresh
    QTimer* TListaSynchroKolejnoTimer;  // 31 ms: synchronous time list
    QTimer* GrajBlokReklamy;            // 100 ms: advert block on one player
    QTimer* SingleKolejnoTimer;         // 300 ms: singles in sequence
    QTimer* AutomatTimer;               // 311 ms: midnight roll-over
    QTimer* PListaAutoodczytTimer;      // 300 ms: automatic loading at midnight
    QTimer* SERWISTimer;                // 500 ms: news and programme insertion
    QTimer* SatPlusTimer;               // 5 000 ms: satellite re-join
    QTimer* SATPLMWyciszTimer;          // 1 000 ms: one-shot fade of players 1 to 3
    QTimer* BroadcastTimer;             // 15 000 ms: UDP datagrams
    QTimer* BroadcastTimer2;            // 10 000 ms
    QTimer* BroadcastMonitorTimer;      // 1 000 ms

protected:
    void ObsluzZdarzenie() override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QTimer* zegar(const char* nazwa, int ms);
    // The deck panels see a pointer or key event before the dispatcher.
    bool PaneleOdtwarzaczy();

    // The dispatcher's window side.
    qint32 KursorPlaylisty() const override;
    void RysujPrzycisk(const BUTTONType& b) override;
    void RysujPanelDolny() override;

    SilnikEmisji silnik_;
    PanelOdtwarzaczaType panelA_;
    PanelOdtwarzaczaType panelB_;
    PrzyciskiKonsoli przyciski_;
    Dyspozytor dyspozytor_;
};
