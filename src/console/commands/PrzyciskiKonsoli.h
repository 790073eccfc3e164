#pragma once
// The drawn buttons of the main window: the main bar, the 24 hour buttons,
// and the records of the timeline, singles and time-list buttons that their
// panels fill. Only the records and their layout live here; drawing is the
// window's.
#include "foundation/KestGrafTypy.h"

#include <QString>
#include <array>

// Indexes into the bar, in the order the bar is hit-tested.
enum PrzyciskPaska : int {
    PKonfiguracja, PCzytajProfil, PZapiszProfil,
    PSterowanie, PSat, PAutoStop, PAutomat, PCisza,
    PUstawStart, PAktualizacja, PUsunPlayliste,
    PDoklej, PCzytaj, PZapisz,
    PWstaw, PUsun, PInfo,
    PPrzesun, PBlok, PKod, PZmien,
    POpis, PDluga, PWieloslad,
    PMiksy, PUndo, PBazaKat,
    LiczbaPrzyciskowPaska
};
static_assert(LiczbaPrzyciskowPaska == 27);

struct PrzyciskiKonsoli {
    std::array<BUTTONType, 27> Pasek;
    std::array<BUTTONType, 24> Godziny;
    // Filled by the timeline, singles wall and time-list panels. Every
    // button is invisible (never hit) until it is laid out.
    std::array<BUTTONType, 10> Wieloslad;
    std::array<BUTTONType, 35> Single;
    std::array<BUTTONType, 10> Timelista;

    PrzyciskiKonsoli();
};

// What the bar's look depends on (from the emission and satellite settings).
struct UkladPaska {
    bool SatTrybJest = false;
    bool CiszaJest = false;
    bool CzyTrybEmisja = false;               // on-air only: the editing buttons go
    bool PanelPrzyciskSterowanieJest = false;
    bool CzyDodatkowaKlawiatura = false;      // buttons of the extra keyboard drawn maroon
};

constexpr TColor KolorBordowy = 0x000080;  // maroon (0x00BBGGRR)

// Rects (on the current screen scale), captions, codes, visibility and
// colours of the bar; button states are kept. Called at creation and on
// every resize.
void UstawPasekPrzyciskow(PrzyciskiKonsoli& p, const UkladPaska& uklad);
// Rects and captions of the hour buttons; states are kept.
void UstawPrzyciskiGodzin(PrzyciskiKonsoli& p, bool zegar12h);
// The timeline's ten buttons (7001..7010) along the lower view's bottom.
void UstawPrzyciskiWielosladu(PrzyciskiKonsoli& p);
// Caption of hour button h (0..23).
QString TytulGodziny(int godzina, bool zegar12h);

// Indexes into the time list's buttons.
enum PrzyciskTimelisty : int {
    PTSynchro, PTCzytaj, PTZapisz, PTCzysc, PTPytaj, PTKolejno, PTWczesniejsze, PTWstaw, PTUsun, PTInfo
};
// Rects, captions and codes of the time list's buttons; in on-air mode
// "Zapisz" and "x" go and the lower three read the on-air lists.
void UstawPrzyciskiTimelisty(PrzyciskiKonsoli& p, bool czyTrybEmisja, bool pytaj);

// Sets a button's rect, caption, code and hot key as the form base does,
// keeping its state; visible again.
void UstawPrzycisk(BUTTONType& b, const TRect& r, const QString& tytul, quint16 kod);

// The form base's selection rule without a form: a visible button whose hot
// key is the current key, or that holds the last pointer-down, turns the
// current event into its command. True when it did.
bool PrzyciskWybrany(const BUTTONType& b);
