#pragma once
// Drawing a recording's waveform from its envelope file (Obwiednia.h): the
// level bytes are loaded once and painted into a bitmap at any size, plain
// or with the played part, the part between two marks and a position line
// in colours.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QtGlobal>

#include "foundation/KestGrafTypy.h"

// The waveform's colours (0x00BBGGRR), as the window system names them.
namespace KolorFali {
constexpr TColor Teal = 0x808000;
constexpr TColor Green = 0x008000;
constexpr TColor Maroon = 0x000080;
constexpr TColor Lime = 0x00FF00;
constexpr TColor Aqua = 0xFFFF00;
constexpr TColor Red = 0x0000FF;
constexpr TColor White = 0xFFFFFF;
}  // namespace KolorFali

struct TPEAK {
    QImage Bitmap;
    qint32 Count = 0;    // level bytes
    float Scale = 0;     // level bytes per pixel
    QByteArray Levels;
};
// The drawing unit's one record.
extern TPEAK Peak;

// Loads the level bytes of an envelope file; a missing or short file gives
// none (drawing then shows the black background only).
void LoadPeaks(const QString& sciezka);
// The whole envelope in teal on black, `szerokosc` x `wysokosc` pixels.
void DrawPeaks(int szerokosc, int wysokosc);
// The same coloured by region: up to the position (played) green before the
// start mark, teal between the marks, maroon from the end mark; after it
// lime, aqua and red; then a line at the position in the colour of what
// follows it. An end mark of 0 means the width. Without level bytes only
// the part from the position on is filled in aqua.
void DrawPeaksPos(int szerokosc, int wysokosc, int poczatek, int pozycja, int koniec);
void FreePeaks();
