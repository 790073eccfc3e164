#pragma once
// The deck panels A and B: drawn by the window from the engine's player
// records and the display refresh's findings. The layout and the buttons
// live here, on the window side; the engine keeps only what was played.
#include "console/engine/SilnikEmisji.h"
#include "foundation/KestGraf2.h"
#include "foundation/KestPanl2.h"

#include <optional>

constexpr quint16 KomendaStopOdtwarzacza = 1001;
constexpr quint16 KomendaFOutOdtwarzacza = 1002;

// What a deck panel shows: the display refresh draws the panel again only
// when some of it changed.
struct WidokPaneluOdtwarzacza {
    TColor Kolor = 0;
    QString Czas;
    QString Opis;
    QString Tyt;
    QString Wyk;
    qint64 Pasek = 0;  // filled columns of the bar
    quint8 Stop = 0;
    quint8 FOut = 0;
    friend bool operator==(const WidokPaneluOdtwarzacza&, const WidokPaneluOdtwarzacza&) = default;
};

struct PanelOdtwarzaczaType {
    TRect Rect;
    TRect PoleCzasu;     // sunken: the time
    TRect PoleOpisu;     // sunken: the status text
    TRect PoleTytulu;
    TRect PoleWykonawcy;
    PasekType Pasek;     // played part of the element
    BUTTONType Stop;
    BUTTONType FOut;
    int Numer = 0;
    // What was drawn last; none after a layout. Whoever paints over the
    // panel clears it, so that the next refresh draws the panel whole.
    std::optional<WidokPaneluOdtwarzacza> Narysowany;
};

// The colour of a deck's time in each of its states.
TColor KolorCzasuOdtwarzacza(StanCzasuOdtwarzacza stan);
// The time as the deck shows it: mm:ss, or mm:ss.t with PlayerCzasFormat 1.
QString TekstCzasuOdtwarzacza(qint64 ms);

// Lays a deck out in a rectangle (pixels): the time and status fields, the
// title and performer lines, the level bar, "STOP" at the bottom left and
// "FOut" at the bottom right, each half of the inner width less 5 units.
void UkladOdtwarzacza(TRForm& forma, PanelOdtwarzaczaType& panel, const TRect& r, int numer);
// Draws the raised panel, its fields, bar and buttons; nothing when the panel
// already shows all of it (clear Narysowany to draw it whole).
void RysujOdtwarzacz(TRForm& forma, PanelOdtwarzaczaType& panel, const MIXMagnetType& rekord,
                     const WidokOdtwarzacza& widok);
// The current event against the deck's buttons: "STOP" ends the element,
// "FOut" asks for a fade-out; Esc becomes the answer 10. True when taken.
bool ObsluzPrzyciskiOdtwarzacza(TRForm& forma, PanelOdtwarzaczaType& panel, SilnikEmisji& silnik, quint8 slot);
