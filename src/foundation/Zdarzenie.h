#pragma once
// The one input-event record that every screen and dialog reads and writes:
// mouse presses and keys of a form, commands of drawn buttons and dialog
// answers all pass through it, so a screen handles them in one place.
#include <QPoint>
#include <QtGlobal>

// A rectangle in pixels with every edge included (right and bottom too).
struct TRect {
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Right = 0;
    qint32 Bottom = 0;
};

// Kinds of the event record.
enum : quint16 {
    ZdarzenieBrak = 0,
    ZdarzenieMysz = 1,       // a mouse button pressed
    ZdarzenieKlawisz = 16,   // a key; the code is its KodBIOS
    ZdarzenieKomenda = 256,  // a command identifier or a dialog answer
};

// Dialog answers (carried in the code with kind 256).
enum KodOdpowiedzi : quint16 {
    OdpowiedzTak = 6,
    OdpowiedzNie = 7,
    OdpowiedzTakWszystkie = 8,
    OdpowiedzOpusc = 10,
    OdpowiedzAkceptuj = 20,
};

struct ZdarzenieType {
    quint16 Rodzaj = ZdarzenieBrak;
    quint16 Kod = 0;
    qint32 X = 0;
    qint32 Y = 0;
};

extern ZdarzenieType Zdarzenie;             // the current event
extern ZdarzenieType ZdarzenieOczekujace;   // a posted event waiting to become current
extern QPoint MyszPunkt;                    // the last pointer-down point
extern QPoint MyszPunktEkranu;              // the same point on the screen
extern quint8 MyszPrzycisk;                 // its button: 1 left, 2 right, 3 middle

// Kind and code of the current event to 0 (screens do it after handling one).
void KasujZdarzenie();
// A waiting event, when there is one, becomes the current event.
void PobierzZdarzenie();
// Whether the current event's point lies inside the rectangle, edges included.
bool ZdarzenieWProstokacie(const TRect& r);
