#pragma once
// Drawn bar and list panels of the program's screens.
#include <QString>
#include <QtGlobal>

#include "foundation/KestGraf2.h"

struct PasekType {
    TRect Rect;
    TRect RectWew;  // Rect inset by 2 pixels
    TColor Kolor1 = 0;
    TColor Kolor2 = 0;
    TColor Kolor3 = 0;
};

// A small panel of the main screen.
struct PanelType {
    TRect Rect;
    int Numer = 0;
    TColor Kolor = 0;
    quint8 Flaga = 0;
    qint64 Czas = 0;
};

// A scrolling list; rows are numbered from 1.
struct ListaType {
    QString Tytul;
    TRect Rect;          // outer
    TRect RectListy;     // the rows
    TRect RectLicznika;  // "selected/total"
    int Wybrany = 0;
    int Razem = 0;
    int Pierwszy = 1;
    int Widocznych = 0;
};

void InicjujPasek(PasekType& pasek, const TRect& r, TColor kolor1, TColor kolor2, TColor kolor3);
// The filled columns of a bar showing `wartosc` of `maksimum`: what RysujPasek
// draws, so that a caller can tell whether a new value changes the picture.
qint64 WypelnieniePaska(const PasekType& pasek, qint64 wartosc, qint64 maksimum);
// Fills value / maximum of the bar (at least one pixel, at most all of it); a
// maximum of 0 or less draws an empty bar. Mode 1 draws in copy mode, any
// other in XOR; line style 1 solid, 2 dotted, 3 solid 3 pixels. Leaves the
// form in copy mode with a solid 1-pixel pen.
void RysujPasek(TRForm& forma, const PasekType& pasek, int tryb, qint64 wartosc, qint64 maksimum, int styl,
                TColor kolorWypelnienia, TColor kolorReszty);

void InicjujPanel(PanelType& panel, const TRect& r, int numer, TColor kolor);

void RysujListe(TRForm& forma, ListaType& lista);
void RysujWierszListy(TRForm& forma, const ListaType& lista, bool zaznaczony);
// A click of the current event on a visible row selects that row. True on a hit.
bool KlikListy(TRForm& forma, ListaType& lista);
// The rectangle of the i-th visible row (from 1) as KlikListy tests it.
TRect ProstokatWierszaListy(const ListaType& lista, int i);
