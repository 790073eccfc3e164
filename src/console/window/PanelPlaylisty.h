#pragma once
// The pictures of the playlist panel, its message field and the time-list
// panel on the window's canvas. What is shown (rows, cursor, thumb, texts)
// comes from the panels' rules in the engine; these only paint it.
#include "console/engine/SilnikEmisji.h"
#include "foundation/KestGraf2.h"

// Row heights in grid units; the rows' top below each panel's top.
constexpr int WierszPlaylistyJ = 30;
constexpr int WierszTimelistyJ = 14;
// The hour buttons take the panel's top line; the header and the message
// field stand between them and the rows.
constexpr int NaglowekPlaylistyJ = 30;
constexpr int NaglowekTimelistyJ = 20;

// Both panels' rectangles on the current scale (the lists' state stays).
void UstawPanele();
// The long playlist: the playlist panel over the lower view as well, its
// rows from lower down, twelve to a page. True when that changed (the
// panels' rectangles are then set again).
bool UstawDlugaPlayliste(bool dluga);
constexpr int NaglowekDlugiejJ = 42;
constexpr int WierszeDlugiej = 12;

// The information boxes at a row's right, "intro", "outro", "mix" and "z"
// (the end code): their distance from the rows' right edge and width in
// grid units. Each value box lies below its caption; drawing and the right
// click's preview use the same rectangle.
struct PudelkoInformacji {
    int odPrawej;
    int szerokosc;
    const char16_t* podpis;
};
inline constexpr PudelkoInformacji PudelkaInformacji[4] = {
    {106, 20, u"intro"}, {83, 20, u"outro"}, {60, 20, u"mix"}, {37, 10, u"z"}};
constexpr int PudelkoInformacjiGoraJ = 15;
constexpr int PudelkoInformacjiWysokoscJ = 12;
// The value box i of the row whose top is at `top` (pixels).
TRect ProstokatPudelka(int i, int top);

void RysujPlayliste(TRForm& f, const SilnikEmisji& s);
// One row (nothing when the element is not on the page).
void RysujWierszPlaylisty(TRForm& f, const SilnikEmisji& s, qint32 n);
// The status text in the message field; `miga` draws the blink's other phase.
TRect ProstokatPolaKomunikatu();
void MalujPoleKomunikatu(TRForm& f, const QString& tekst, bool miga);

void RysujTimeliste(TRForm& f, bool zegar12h);
void RysujNazweTimelisty(TRForm& f);
// The loaded playlist's name (PlaylistaNazwa) in its sunken field beside
// the playlist's buttons.
void RysujNazwePlaylisty(TRForm& f);
// The synchronous mode's countdown in the time list's header: grey while
// the mode is off, red in the last minute, nothing at 0.
void RysujSynchLabel(TRForm& f, qint64 ms, bool wlaczony);
