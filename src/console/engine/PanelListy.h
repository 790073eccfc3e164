#pragma once
// The scrolling list panels' rules without their pictures: where the rows
// lie, which rows are shown for a cursor, the thumb of the scroll bar, the
// cursor keys, and the texts a playlist row shows. The playlist and the time
// list share them; the window only draws what these say.
#include "playlists/D_Playlista.h"

#include <QPoint>
#include <QString>

// ---- geometry (pixels; the panel already scaled) ----
// The rows and the scroll bar inside the panel: the rows from `naglowek`
// below the panel's top to 4 above its bottom, the bar at its right. Rows
// per page are the whole rows of height `wiersz` that fit. Cursor, count and
// first row stay: a resize only moves the rectangles.
void UstawProstokatyListy(StanListy& stan, const TRect& panel, int naglowek, int wiersz);

// The element under a point of the rows (0 when the point is not on a row
// that holds one).
qint32 ElementWPunkcie(const StanListy& stan, QPoint punkt, int wiersz);
// The top of the row showing element n (pixels).
int GoraWiersza(const StanListy& stan, qint32 n, int wiersz);

// ---- scrolling ----
// Keeps the cursor in view: a step past either edge scrolls by one row, a
// jump farther scrolls by whole pages; `srodek` puts the cursor three rows
// below the top. The first row stays within 1..count.
void PrzewinDoKursora(StanListy& stan, bool srodek = false);

enum class KrokKursora { Gora, Dol, StronaGora, StronaDol, Poczatek, Koniec };
// Moves the cursor (clamped to 1..count, 0 on an empty list) and keeps it
// in view.
void RuchKursora(StanListy& stan, KrokKursora krok);

// The thumb of the scroll bar of height `h`, from its top: [od, do_).
// An empty list fills the track; the thumb is at least `minimum` long.
struct Suwak {
    int Od = 0;
    int Do = 0;
};
Suwak SuwakListy(const StanListy& stan, int h, int minimum = 6);
// The first row that puts the thumb at height y of the track (a click or a
// drag on the bar).
qint32 PierwszyDlaSuwaka(const StanListy& stan, int y, int h);

// ---- playlist rows ----
struct TekstyWierszaType {
    QString Gorny;
    QString Dolny;
    QString Dlugosc;
};
// The upper, lower and length texts of an element's row by its kind.
TekstyWierszaType TekstyWiersza(const TElemPListy& e);

// The header's times (hh:mm:ss.mmm): the playlist's length (taken over
// midnight) and the time it ends, `przesuniecie` (the schedule deviation
// while the time correction is on) added.
QString DlugoscPlaylisty();
QString KoniecPlaylisty(qint32 przesuniecie);
// The row's time text: hh:mm:ss (with " AM"/" PM" on the 12-hour clock),
// "--:--:--" without a time.
QString CzasWiersza(qint64 msDoby, bool zegar12h);

// ---- time-list rows ----
struct TekstCzasuTL {
    QString Tekst;
    bool Szary = false;  // a group's total length stands for the time
};
// The time column of entry n: its mark (" ", "+", "-") and hh:mm:ss,
// blanks under an equal time, and on the last of a group of equal times the
// group's length (durations plus the per-entry offset) in grey.
TekstCzasuTL TekstCzasuTimelisty(qint32 n, bool zegar12h);
