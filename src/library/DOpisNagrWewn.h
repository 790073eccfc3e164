#pragma once
// What the description editor's files share: its size and codes, the table
// of description fields and the table of markers. Only its own .cpp files
// include this.
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <algorithm>
#include <iterator>

#include "foundation/KestGraf2.h"
#include "foundation/Text.h"
#include "library/DOpisNagr.h"
#include "library/SlownikiOpisu.h"

namespace opis_nagr {

using namespace Qt::StringLiterals;

using O = OpisNagraniaTyp;

inline constexpr int kSzerokosc = 840;
inline constexpr int kWysokosc = 636;
inline constexpr int kTikWykresu = 100;
inline constexpr int kTikGrania = 30;
inline constexpr int kPrzedZnacznikiem = 3000;  // the preview starts this long before a marker
inline constexpr int kZoomMaks = 128;
inline constexpr int kKodCzysc = 1001;
inline constexpr int kKodPoczatkowe = 1002;
inline constexpr int kPasma = 5;  // handle rows of a pane

// What the description reader puts for the title of a recording without a
// description: the title field shows it as a hint, and it is never saved.
inline const QString BrakOpisu = u"Nie ma opisu"_s;

// How a description field is edited.
enum class RodzajPola { Tekst, Lista, Era, Informacja };

struct PoleEdytora {
    const char16_t* etykieta;
    QString O::* pole;
    int szerokosc;
    RodzajPola rodzaj;
    const QStringList* slownik;
    int kolumna;
};

inline const PoleEdytora PolaEdytora[] = {
    {u"Tytuł", &O::Tyt, 64, RodzajPola::Tekst, nullptr, 0},
    {u"Płyta", &O::Pta, 50, RodzajPola::Tekst, nullptr, 0},
    {u"Wykonawca", &O::Wyk, 64, RodzajPola::Tekst, nullptr, 0},
    {u"Solista", &O::Sol, 40, RodzajPola::Tekst, nullptr, 0},
    {u"Kompozytor", &O::Kom, 60, RodzajPola::Tekst, nullptr, 0},
    {u"Autor", &O::Aut, 60, RodzajPola::Tekst, nullptr, 0},
    {u"Producent", &O::Pro, 40, RodzajPola::Tekst, nullptr, 0},
    {u"Wydawca", &O::Wyd, 40, RodzajPola::Tekst, nullptr, 0},
    {u"Klucze", &O::Klu, 62, RodzajPola::Tekst, nullptr, 0},
    {u"Filtr", &O::Fil, 18, RodzajPola::Tekst, nullptr, 0},
    {u"Rok", &O::Rok, 4, RodzajPola::Tekst, nullptr, 0},
    {u"Kod", &O::Kod, 11, RodzajPola::Tekst, nullptr, 0},
    {u"Zakończ.", &O::Zak, 1, RodzajPola::Tekst, nullptr, 0},
    {u"Tempo BPM", &O::BPM, 3, RodzajPola::Tekst, nullptr, 0},
    {u"Kategoria", &O::Ktg, 9, RodzajPola::Lista, &SlownikKategoria, 1},
    {u"Gender", &O::Gen, 20, RodzajPola::Lista, &SlownikGender, 1},
    {u"Era", &O::Era, 20, RodzajPola::Era, nullptr, 1},
    {u"Typ", &O::Typ, 20, RodzajPola::Lista, &SlownikTyp, 1},
    {u"Nastrój", &O::Nas, 20, RodzajPola::Lista, &SlownikNastroj, 1},
    {u"Tempo", &O::Tmc, 20, RodzajPola::Lista, &SlownikTempo, 1},
    {u"Tempo In", &O::Tmi, 20, RodzajPola::Lista, &SlownikTempo, 1},
    {u"Tempo Out", &O::Tmo, 20, RodzajPola::Lista, &SlownikTempo, 1},
    {u"Narodowość", &O::Nar, 3, RodzajPola::Lista, &SlownikNarodowosc, 1},
    {u"Jakość", &O::Jak, 4, RodzajPola::Tekst, nullptr, 1},
    {u"PS1", &O::PS1, 8, RodzajPola::Tekst, nullptr, 1},
    {u"PS2", &O::PS2, 8, RodzajPola::Tekst, nullptr, 1},
    {u"PS3", &O::PS3, 8, RodzajPola::Tekst, nullptr, 1},
    {u"PS4", &O::PS4, 8, RodzajPola::Tekst, nullptr, 1},
    {u"Wgrał", &O::ENG, 20, RodzajPola::Informacja, nullptr, 2},
    {u"Program", &O::SFT, 20, RodzajPola::Informacja, nullptr, 2},
    {u"Data", &O::CRD, 10, RodzajPola::Informacja, nullptr, 2},
};

struct OpisZnacznika {
    qint32 ZnacznikiOpisu::* pole;
    const char* przycisk;  // the button's name
    const char16_t* tytul;
    const char16_t* znak;  // beside its handle
    int pasmo;             // the row of its handle
    QRgb kolor;
};

inline const OpisZnacznika OpisyZnacznikow[LiczbaZnacznikowEdytora] = {
    {&ZnacznikiOpisu::Int, "IntroButton", u"Intro", u"I", 0, qRgb(0, 255, 0)},
    {&ZnacznikiOpisu::Out, "OutroButton", u"Outro", u"O", 0, qRgb(255, 0, 0)},
    {&ZnacznikiOpisu::Mik, "MixButton", u"Mix", u"M", 0, qRgb(255, 255, 0)},
    {&ZnacznikiOpisu::NwP, "NowyPoczatekButton", u"Nowy początek", u"[", 1, qRgb(192, 192, 192)},
    {&ZnacznikiOpisu::NwK, "NowyKoniecButton", u"Nowy koniec", u"]", 1, qRgb(192, 192, 192)},
    {&ZnacznikiOpisu::FIn, "FadeInButton", u"Fade In", u"/", 2, qRgb(0, 255, 255)},
    {&ZnacznikiOpisu::FOu, "FadeOutButton", u"Fade Out", u"\\", 2, qRgb(0, 255, 255)},
    {&ZnacznikiOpisu::LpP, "LoopPButton", u"Loop P", u"L", 3, qRgb(255, 0, 255)},
    {&ZnacznikiOpisu::LpK, "LoopKButton", u"Loop K", u"L", 3, qRgb(255, 0, 255)},
    {&ZnacznikiOpisu::FrP, "HookPButton", u"Hook P", u"H", 4, qRgb(255, 128, 0)},
    {&ZnacznikiOpisu::FrK, "HookKButton", u"Hook K", u"H", 4, qRgb(255, 128, 0)},
};

inline const QString kGraj = u"P L A Y"_s;
inline const QString kStop = u"S T O P"_s;

// Whole seconds of a length for the "Opisy" fields.
inline QString Sekundy(qint64 ms) { return zeroPad(std::max<qint64>(ms, 0) / 1000, 2); }

inline bool LiczbaPola(const QString& tekst, qint64& s) {
    return parseInteger(tekst, s) && s >= 0 && s <= 24 * 3600;
}

}  // namespace opis_nagr
