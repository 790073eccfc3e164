#pragma once
// The mix model: one transition of the playlist (the end of song 1, the
// start of song 2 and up to two voice tracks over them) built from a private
// copy of the playlist into eight tracks, edited there, and written back into
// the on-air playlist only when accepted. All times are absolute ms on the
// playlist's air-time axis, carried past midnight while a mix is built.
//
// No widgets here: the editor window, its preview players and the voice-track
// recorder sit above this unit and reach it through these functions; what the
// model needs from them and from the console comes through PolaczeniaEdycji.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <functional>

#include "foundation/KestGrafTypy.h"
#include "playlists/D_Playlista.h"
#include "playlists/FixedText.h"

constexpr int LiczbaSladowMiksu = 8;
constexpr int MaksObwiedniMiksu = 600'000;  // bytes of a .OBW file read, header included

// Track roles.
enum : int {
    SladPiosenki1 = 1,  // the audio-bearing element at the cursor, or the nearest before it
    SladPiosenki2 = 2,  // the first audio-bearing element after the cursor
    SladGlosu1 = 3,     // voice tracks of this mix
    SladGlosu2 = 4,
    SladGlosuPoprzedni = 5,  // voice of the previous mix
    SladGlosuNastepny = 6,   // voice of the next mix
    SladPrzed = 7,           // the song before song 1
    SladPo = 8,              // the song after song 2
};

// Track colours by kind; a voice track's colour also decides the kind it is
// written back as.
constexpr TColor KolorSladuPusty = 0xFFFFFF;
constexpr TColor KolorSladuDJ = 0xFF0000;
constexpr TColor KolorSladuBRK = 0x008000;
constexpr TColor KolorSladuWHI = 0x000080;
TColor KolorRodzajuMiksu(quint8 rodzaj);

// Title label of a track whose recording is missing.
inline const QString TekstBrakNagrania = QStringLiteral("Nie ma nagrania!!!");

// One track. Times are absolute; a 0 mark of the element gives the track's
// air time (starts) or air time + duration (ends).
struct SladMiksuTyp {
    quint8 Uzyty = 0;
    qint32 Element = 0;     // index in PlaylistaMiksu, 0 none
    qint32 Kolejny = 0;     // audio-bearing elements among 1..Element: its parity picks the lane
    quint8 Przerwa = 0;     // a BRK, or a song whose file is missing: nothing to preview
    quint8 Typ = 0;         // the element's Typ byte
    quint8 Wybrany = 1;     // the voice track the duck control acts on; songs: handles shown
    quint8 Nagrany = 0;     // recorded since the editor was opened (offered to the network folder)
    quint8 WlasnyZbior = 0; // its file was recorded here: deleting erases it, applying names the element after it
    TColor Kolor = KolorSladuPusty;
    quint8 Aut = 0;
    qint32 Emisja = 0;      // air time
    FixedText<8> Sel;
    qint32 Czas = 0;        // duration
    qint32 Intro = 0;
    qint32 Outro = 0;
    qint32 KoniecFadeIn = 0;
    quint8 KrzywaFadeIn = 0;
    qint32 NowyPoczatek = 0;
    qint32 PoczatekFadeOut = 0;
    quint8 KrzywaFadeOut = 0;
    qint32 NowyKoniec = 0;
    qint32 Wzmocnienie = 0;       // 0.01 dB
    qint32 PoziomKaczki = 0;      // 0.01 dB, 0 or negative
    qint32 KoniecKaczkiWe = 0;
    qint32 PoczatekKaczkiWy = 0;
    FixedText<255> Adres;
    FixedText<30> Identyfikator;
    // What the window's labels show; applying takes the element's title
    // from TytulEtykieta.
    QString TytulEtykieta;
    QString AutorEtykieta;
    quint8 ObwiedniaJest = 0;
    qint32 DlugoscObwiedni = 0;   // bytes of the .OBW file, at most MaksObwiedniMiksu
    QByteArray Obwiednia;         // the level bytes after the file's header, one per 10 ms
};

// The editor's ranges beside the tracks (absolute times).
struct ZakresyMiksu {
    qint32 KursorPodgladu = 0;
    qint32 PoczatekWgrania = 0;
    qint32 KoniecWgrania = 0;
    qint32 GranicaLewa = 0;        // song 2 may not move before it
    qint32 GranicaPrawa = 0;
    qint32 PoczatekZakresuDJ = 0;  // where a voice track may lie
    qint32 KoniecZakresuDJ = 0;
};

// ---- the model's state, for the whole run ----
extern TablicaPlaylisty PlaylistaMiksu;  // elements 1..LiczbaPozycjiMiksu; the rest initial
extern qint32 LiczbaPozycjiMiksu;
extern qint32 WybranaPozycjaMiksu;  // the playlist cursor the mix was built around
extern std::array<SladMiksuTyp, LiczbaSladowMiksu + 1> SladyMiksu;  // [1..8]
extern std::array<SladMiksuTyp, LiczbaSladowMiksu + 1> SladyMiksuKopia;
extern ZakresyMiksu Zakresy;
extern ZakresyMiksu ZakresyKopia;
// 1 once anything changed since the last build, apply or step. A build
// starts it at 0, or at 1 when WgrajFadeTyp gave the songs their curves:
// those are written even when nothing else is touched, so the window must
// not clear it when it shows.
extern bool ZmianyMiksu;

// ---- the view of the time line ----
extern qint32 ZoomMiksu;           // 1..128, a power of two
extern qint32 PrzesuniecieWidoku;  // pan, ms
extern qint32 SzerokoscWidoku;     // pixels; the window sets it
extern qint32 ZakresWidoku;        // ms covered by the width
extern qint32 PoczatekWidoku;      // the time at pixel 0

// ---- what the model needs from above it ----
// The console, the editor window and the voice-track recorder install these;
// one left empty does nothing. The players' element numbers come through the
// playlist's NumeryGraczyUndo, which the on-air engine installs.
struct PolaczeniaEdycjiPL {
    // The console: the engine's PlaylistaZmieniona flag (no automatic start
    // while the playlist is copied; off again once the list, its marks and
    // the decks' numbers are written back) and the display timer's
    // MiksZmiana flag (the playlist panel is redrawn).
    std::function<void(bool)> PlaylistaZmieniona;
    std::function<void()> MiksZmiana;
    // The editor window, shown modally; returns when it closes.
    std::function<void()> PokazOkno;
    // Whether the preview runs; stopping it also stops a take.
    std::function<bool()> PodgladTrwa;
    std::function<void()> ZatrzymajPodglad;
    // The voice-track recorder: its input opened before the window shows,
    // the next take file prepared, the take name cleared when the window
    // closes, the recorded takes offered to the network folder.
    std::function<void()> OtworzWejscie;
    std::function<void()> NastepnaNazwaWgrania;
    std::function<void()> WyczyscNazweWgrania;
    std::function<void()> KopiujWgraniaDoSieci;
};
extern PolaczeniaEdycjiPL PolaczeniaEdycji;

// ---- entry ----
// The console's "Miksy" command: checks, builds, opens the recorder and
// shows the window. False (after an information dialog) when refused.
bool EdytujMiksy();

// ---- building ----
// Builds the mix around the playlist cursor; the envelopes are read only
// with `obwiednie` (stepping reads them for its final mix only).
void UstawMiks(bool obwiednie = true);
void KasujSlad(int n);
void WczytajSlad(int n, bool obwiednia);
// Reads the .OBW envelope of track n's file.
void WczytajObwiedniaSladu(int n);
// Voice elements (0, 1 or 2) that belong to the mix between the elements of tracks a and b.
int LiczGlosyMiksu(int a, int b);
// The range a voice track may occupy, as the build sets it.
void UstawZakresDJ();
// After a voice track was dragged: the range again, then narrowed to the
// songs' midpoints where the neighbouring mix has a single voice.
void PrzeliczZakresDJ();
// The tracks and ranges of the last build back (the window's Reset).
void PrzywrocKopieMiksu();

// ---- the time line ----
qint32 CzasNaPiksel(qint32 t);
qint32 PikselNaCzas(qint32 x);
void CentrujWidok();
// Every time mark of a track moves by d ms together.
void PrzesunSlad(SladMiksuTyp& s, qint32 d);
// Song 2 moves by d ms, and the recording window's end with it when one is
// set. A drag of its box (`zNastepnymi`) takes along what follows it on the
// time line: the next mix's voice, the song after, and the right-hand bounds.
void PrzesunPiosenke2(qint32 d, bool zNastepnymi);

// ---- writing back ----
// Writes the tracks into PlaylistaMiksu and sorts it by start.
void ZastosujMiks();

enum class WynikAkceptacji : quint8 {
    BezZmian,     // nothing changed: nothing asked, nothing written
    Zapisano,     // the playlist holds the mix
    Odrzucono,    // answered no: the edits are dropped
    Anulowano,    // answered cancel, or a voice it would remove plays: the editor stays open with the edits
    Niezapisano,  // the playlist changed meanwhile: nothing written, the mix rebuilt with the new voice tracks kept
};
// Whether the playlist element that voice track n holds is on a player now:
// such an element is neither deleted nor replaced, as the console's own
// delete refuses it.
bool GlosGra(int n);
// Erases the files of the takes recorded here that the voice tracks still
// hold unwritten (answered "Nie", the editor left without writing).
void PorzucWgrania();

// Applies and writes the mix into Playlista after the question "Czy
// modyfikować playlistę?" (`zestaw` 2: yes/no, 3: yes/no/cancel). The
// playlist as it is now must still be the one the mix was built from, but
// for played marks, resume points and missing-file flags, which the engine
// sets meanwhile and which are carried over.
WynikAkceptacji AkceptujMiks(int zestaw = 2);

// ---- stepping (refused while the preview runs) ----
// True when another mix was built.
bool PoprzedniMiks();
bool NastepnyMiks();
