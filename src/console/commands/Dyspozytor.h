#pragma once
// The main window's command dispatcher. It takes the current input event
// (a key or a mouse press that the deck panels did not take, or the wheel),
// hit-tests the drawn buttons, maps keys through the key table, hands clicks
// to the list panels, and passes each command that the current mode allows
// to its handler. It draws nothing and needs no window, so a test drives it
// with a fresh state and records what it dispatched.
#include "console/commands/PrzyciskiKonsoli.h"
#include "console/engine/StanKonsoli.h"

#include <QPoint>
#include <functional>
#include <vector>

// The panels and window the dispatcher reaches. Every method has a default
// that stands for "that panel is not there yet", so the click areas of the
// playlist, time-list and timeline panels act once their panels implement
// them.
class CelDyspozytora {
public:
    virtual ~CelDyspozytora() = default;

    // Cursor of the on-air playlist (0 none).
    virtual qint32 KursorPlaylisty() const { return 0; }

    // A click in the playlist rows, with the button (1 left, 2 right,
    // 3 middle). False when the point is not on the rows.
    virtual bool KlikWierszyPlaylisty(quint8 przycisk) { return false; }
    // A left click in the time-list rows: 0 not on the rows, 1 a row was
    // chosen, 2 the row already under the cursor was clicked.
    virtual int KlikWierszyTimelisty() { return 0; }
    // A left click on the playlist's or the time list's scroll bar.
    virtual bool KlikSuwaka() { return false; }
    // A left click in the timeline's area while it is shown.
    virtual void KlikWielosladu() {}
    // The status field's rect, only while a status text is set.
    virtual bool PoleStatusu(TRect& r) const { return false; }
    // Whether a point lies in the time list's rows (for the wheel).
    virtual bool PunktWWierszachTimelisty(QPoint punkt) const { return false; }
    // A command refused while a playlist is read: the window says why.
    virtual void OdmowaPodczasCzytania() {}

    // Ask the window to redraw one button or the lower panel.
    virtual void RysujPrzycisk(const BUTTONType& b) {}
    virtual void RysujPanelDolny() {}
};

class Dyspozytor {
public:
    using Obsluga = std::function<void(quint16 id)>;

    Dyspozytor(StanKonsoli& stan, PrzyciskiKonsoli& przyciski, CelDyspozytora& cel);

    // The handler of identifiers od..do_ (a later call wins where ranges
    // overlap). An identifier without a handler is taken and does nothing.
    void UstawObsluge(quint16 od, quint16 do_, Obsluga obsluga);
    bool MaObsluge(quint16 id) const;

    // Works on Zdarzenie as the window left it (key, pointer or command),
    // and leaves it cleared.
    void Dyspozytuj();
    // The wheel: the playlist cursor, or the time-list cursor when the
    // pointer lies in the time list's rows.
    void Kolko(bool wDol, QPoint punkt);

    // The lower-panel buttons and PanelDolny for a panel (0 lights none).
    void UstawPanelDolny(quint8 panel);
    // Shows a bar button pressed or released; redrawn only when it changes.
    void WcisnijPrzycisk(int indeks, bool wcisniety);

private:
    bool trafieniePrzycisku();
    bool obszaryKlikniec();
    void wykonaj(quint16 id);
    void wywolaj(quint16 id);
    void przelaczPanel(quint8 panel);

    struct Zakres {
        quint16 od, do_;
        Obsluga obsluga;
    };
    StanKonsoli& stan_;
    PrzyciskiKonsoli& przyciski_;
    CelDyspozytora& cel_;
    std::vector<Zakres> obslugi_;
};
