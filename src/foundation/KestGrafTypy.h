#pragma once
// The widget-free half of the drawn form base: colours, the screen scale,
// and the records of drawn buttons and labels. Code that lays out or
// hit-tests buttons without drawing them (the command dispatcher) needs only
// this, and so stays free of widget headers.
#include <QRect>
#include <QString>
#include <QtGlobal>

#include "foundation/Zdarzenie.h"

// Colours are the program's 0x00BBGGRR values.
using TColor = quint32;
constexpr TColor KolorCzarny = 0x000000;
constexpr TColor KolorBialy = 0xFFFFFF;
constexpr TColor KolorCzerwony = 0x0000FF;
constexpr TColor KolorSzary = 0x808080;
// The face of buttons and panels: a fixed colour, never the desktop style's.
constexpr TColor KolorTlaPrzycisku = 0xC8D0D4;

// ---- screen scale: layouts are designed for a 648 x 507 window ----
constexpr int SzerokoscSiatki = 648;
constexpr int WysokoscSiatki = 507;
extern float SkalaPozioma;  // 1.0 until the main window sets it
extern float SkalaPionowa;
// Sets both factors from a window's size (width / 648, height / 507).
void UstawSkale(int szerokosc, int wysokosc);

int SkalaX(int x);
int SkalaY(int y);
void ProstokatSkala(TRect& r, int lewy, int gorny, int prawy, int dolny);
void ProstokatSkalaWH(TRect& r, int lewy, int gorny, int szerokosc, int wysokosc);
void Prostokat(TRect& r, int lewy, int gorny, int prawy, int dolny);
void ProstokatWH(TRect& r, int lewy, int gorny, int szerokosc, int wysokosc);
// A rectangle `szerokosc` x `wysokosc` pixels from (lewy, gorny), its right
// and bottom edges the last pixels inside.
TRect RectWH(int lewy, int gorny, int szerokosc, int wysokosc);
// Every edge moved `d` pixels inwards (outwards when `d` is negative).
TRect Wciecie(const TRect& r, int d);
// Pixels across and down, edges included.
int SzerokoscProstokata(const TRect& r);
int WysokoscProstokata(const TRect& r);
// The same pixels as a Qt rectangle.
QRect NaQRect(const TRect& r);

// ---- character grid of the grid-text operations ----
extern double SiatkaKolumna;   // cell width in pixels (8)
extern double SiatkaWiersz;    // row step in pixels (19.2)
extern double SiatkaOdstep;    // text starts this far below a row's top (4)
void SiatkaTekstuInit();

// ---- drawn button ----
constexpr int DlugoscTytuluPrzycisku = 11;
struct BUTTONType {
    TRect Rect;
    QString Tytul;           // "~" before a letter marks the hot letter
    quint16 Klawisz = 0;     // KodBIOS of Ctrl + the hot letter, 0 when none
    quint16 Kod = 0;         // command identifier put into the event record
    quint8 Widoczny = 1;     // an invisible button is neither drawn nor selectable
    quint8 Stan = 0;         // 1 = on (pressed)
    TColor Kolor = KolorSzary;
};

// ---- drawn label ----
constexpr int DlugoscTekstuOpisu = 20;
struct OPISType {
    TRect Rect;
    TRect RectWew;           // Rect inset by 3 pixels
    TColor Kolor[6] = {};    // 1 outer fill, 2 and 3 frame, 4 inner fill, 5 and 6 kept only
    QString Tekst;
};

// The hot key of a button title: Ctrl + the letter after the first "~".
quint16 KlawiszTytulu(const QString& tytul);
// The title as drawn (without its "~").
QString TytulBezTyldy(const QString& tytul);
