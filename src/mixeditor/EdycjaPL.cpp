// Building a mix: the working copy of the playlist, the eight tracks, the
// editor's ranges and the time line's view.
#include "mixeditor/EdycjaPL.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <utility>

#include "audio/Obwiednia.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/Text.h"
#include "mixeditor/EdycjaPLWewn.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/Paths.h"
#include "playlists/D_Crossfade.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

TablicaPlaylisty PlaylistaMiksu;
qint32 LiczbaPozycjiMiksu = 0;
qint32 WybranaPozycjaMiksu = 0;
std::array<SladMiksuTyp, LiczbaSladowMiksu + 1> SladyMiksu;
std::array<SladMiksuTyp, LiczbaSladowMiksu + 1> SladyMiksuKopia;
ZakresyMiksu Zakresy;
ZakresyMiksu ZakresyKopia;
bool ZmianyMiksu = false;

qint32 ZoomMiksu = 8;
qint32 PrzesuniecieWidoku = 0;
qint32 SzerokoscWidoku = 0;
qint32 ZakresWidoku = 0;
qint32 PoczatekWidoku = 0;

PolaczeniaEdycjiPL PolaczeniaEdycji;

namespace edycja_pl {

TablicaPlaylisty PlaylistaZrodlowa;
qint32 LiczbaZrodlowa = 0;
std::array<ZrodloElementu, MaksPlaylisty + 1> Zrodla{};

qint32 IloscPlaylisty() { return std::clamp<qint32>(StanPlaylisty.Ilosc, 0, MaksPlaylisty); }
qint32 KursorPlaylisty() { return std::clamp<qint32>(StanPlaylisty.Kursor, 0, IloscPlaylisty()); }

namespace {

constexpr qint64 PolDoby = DobaMs / 2;
// Days past the ninth keep their times (so that they stay far inside 32
// bits) and remember the days they lie beyond instead.
constexpr int OstatniPrzesuwanyBlok = 9;

qint64 start(const TElemPListy& e) { return qint64(e.Emi) + e.NwP; }

enum class Glos { Dalej, Stop, Nalezy };

// Whether spoken element c belongs to the mix from a into b; past b's middle
// or before a's start nothing more can.
Glos testGlosu(const TElemPListy& c, const TElemPListy& a, const TElemPListy& b) {
    const qint64 s = start(c);
    if (s > qint64(b.Emi) + b.Trw / 2 || s < start(a))
        return Glos::Stop;
    if (c.Trw > a.Trw / 2 || s > qint64(a.Emi) + a.Trw / 2)
        return Glos::Nalezy;
    return Glos::Dalej;
}

// A voice element without an air time cannot lie in any transition.
bool kandydatGlosu(qint32 k, qint32 pomin) {
    const TElemPListy& c = PlaylistaMiksu[k];
    return k != pomin && c.Emi != -1 && CzyElemMowiony(c);
}

}  // namespace

qint32 SzukajGlosu(qint32 a, qint32 b, qint32 od, qint32 pomin) {
    const TElemPListy& ea = PlaylistaMiksu[a];
    const TElemPListy& eb = PlaylistaMiksu[b];
    const qint32 n = LiczbaPozycjiMiksu;
    for (qint32 k = std::max(od, 1); k <= n; ++k) {
        if (!kandydatGlosu(k, pomin)) continue;
        const Glos g = testGlosu(PlaylistaMiksu[k], ea, eb);
        if (g == Glos::Nalezy) return k;
        if (g == Glos::Stop) break;
    }
    for (qint32 k = std::min(od, n); k >= 1; --k) {
        if (!kandydatGlosu(k, pomin)) continue;
        const Glos g = testGlosu(PlaylistaMiksu[k], ea, eb);
        if (g == Glos::Nalezy) return k;
        if (g == Glos::Stop) break;
    }
    return 0;
}

}  // namespace edycja_pl

using namespace edycja_pl;

namespace {

// ---- the working copy ----

// Only the list's own elements are copied; what lies past the count is kept
// in its initial state, so a build does not pay for the whole array.
void kopiujPlayliste() {
    const qint32 n = IloscPlaylisty();
    PlaylistaMiksu.Przytnij(size_t(n));
    PlaylistaZrodlowa.Przytnij(size_t(n));
    InitElemPListy(PlaylistaMiksu[0]);
    // The write and a refused accept find the mix's elements again by these.
    NumerujPlayliste();
    if (PolaczeniaEdycji.PlaylistaZmieniona) PolaczeniaEdycji.PlaylistaZmieniona(true);
    std::copy(Playlista.begin() + 1, Playlista.begin() + 1 + n, PlaylistaMiksu.begin() + 1);
    std::copy(Playlista.begin() + 1, Playlista.begin() + 1 + n, PlaylistaZrodlowa.begin() + 1);
    if (PolaczeniaEdycji.PlaylistaZmieniona) PolaczeniaEdycji.PlaylistaZmieniona(false);
    for (qint32 i = 0; i <= n; ++i) Zrodla[i] = {i, 0};
    LiczbaPozycjiMiksu = n;
    LiczbaZrodlowa = n;
}

// Where the playlist crosses midnight its start times step back; every later
// day gets its days added so that times grow through the list. Only a step
// back of more than half a day starts a new day: a crossfade or a corrected
// length moves a start back by seconds, never by hours. Elements without an
// air time stay without one.
void przesunDni() {
    int blok = 1;
    bool jestPoprzedni = false;
    qint64 poprzedni = 0;
    for (qint32 i = 1; i <= LiczbaPozycjiMiksu; ++i) {
        TElemPListy& e = PlaylistaMiksu[i];
        if (e.Emi == -1) continue;
        const qint64 s = start(e);
        if (jestPoprzedni && s < poprzedni - PolDoby) ++blok;
        jestPoprzedni = true;
        poprzedni = s;
        if (blok >= 2 && blok <= OstatniPrzesuwanyBlok)
            e.Emi += (blok - 1) * DobaMs;
        else if (blok > OstatniPrzesuwanyBlok)
            Zrodla[i].DniPoza = blok - 1;
    }
}

qint32 dzwiekowyPrzed(qint32 k) {
    for (qint32 i = std::min(k, LiczbaPozycjiMiksu + 1) - 1; i >= 1; --i)
        if (CzyElemDzwiekowy(PlaylistaMiksu[i])) return i;
    return 0;
}

qint32 dzwiekowyPo(qint32 k) {
    if (k <= 0) return 0;
    for (qint32 i = k + 1; i <= LiczbaPozycjiMiksu; ++i)
        if (CzyElemDzwiekowy(PlaylistaMiksu[i])) return i;
    return 0;
}

// A spoken element, not one of `zajete`, whose start lies strictly inside
// the span from a's start to b's end.
bool glosSasiedni(qint32 k, qint32 a, qint32 b, std::initializer_list<qint32> zajete) {
    const TElemPListy& c = PlaylistaMiksu[k];
    if (!CzyElemMowiony(c) || c.Emi == -1 || std::find(zajete.begin(), zajete.end(), k) != zajete.end())
        return false;
    const TElemPListy& ea = PlaylistaMiksu[a];
    const TElemPListy& eb = PlaylistaMiksu[b];
    const qint64 s = start(c);
    return s > start(ea) && s < qint64(eb.Emi) + eb.Trw;
}

// ---- tracks ----

qint32 kolejnyDzwiekowy(qint32 element) {
    qint32 n = 0;
    for (qint32 i = 1; i <= element; ++i)
        if (CzyElemDzwiekowy(PlaylistaMiksu[i])) ++n;
    return n;
}

// An "ANIMACJA" break lasts as long as its title says (positions 10..14,
// mm:ss); a title that does not say it keeps the element's duration.
qint32 czasSladu(const TElemPListy& e) {
    if (RodzajElemPListy(e.Typ) == RodzajBRK && upperPL(charsFromTo(e.Tyt, 1, 8)) == QLatin1String("ANIMACJA")) {
        const qint32 t = CzytajCzas(charsFromTo(e.Tyt, 10, 14), 4);
        if (t >= 0) return t;
    }
    return e.Trw;
}

void etykietySladu(int n, const TElemPListy& e) {
    SladMiksuTyp& s = SladyMiksu[n];
    const quint8 rodzaj = RodzajElemPListy(e.Typ);
    const bool jest = platform::fileExists(s.Adres);
    s.TytulEtykieta = (jest || rodzaj == RodzajBRK) ? QString(e.Tyt) : TekstBrakNagrania;
    s.AutorEtykieta.clear();
    if (n == SladPiosenki1 || n == SladPiosenki2) {
        if (rodzaj == RodzajSWE)
            s.AutorEtykieta = QStringLiteral(" SWEEPER - ");
        else if (rodzaj == RodzajLOP)
            s.AutorEtykieta = QStringLiteral(" LOOP - ");
        s.AutorEtykieta += e.Wyk;
        // Nothing to preview: the preview neither opens nor plays it.
        if (!jest) s.Przerwa = 1;
    }
}

qint32 polowa(const SladMiksuTyp& s) { return s.Emisja + s.Czas / 2; }

}  // namespace

TColor KolorRodzajuMiksu(quint8 rodzaj) {
    switch (rodzaj) {
    case RodzajSWE: return 0x008080 + 50;  // olive with its red raised
    case RodzajINF:
    case RodzajALR: return 0;  // kinds without sound have no track colour
    default: return KolorRodzaju(rodzaj, 0);
    }
}

// The element and its ordinal go too: a build fills only empty tracks, and
// a track kept from the mix before would name an element of another mix.
void KasujSlad(int n) {
    if (n >= 1 && n <= LiczbaSladowMiksu) SladyMiksu[n] = SladMiksuTyp{};
}

void WczytajSlad(int n, bool obwiednia) {
    if (n < 1 || n > LiczbaSladowMiksu) return;
    SladMiksuTyp& s = SladyMiksu[n];
    if (s.Element < 1 || s.Element > LiczbaPozycjiMiksu) return;
    const TElemPListy& e = PlaylistaMiksu[s.Element];
    const quint8 rodzaj = RodzajElemPListy(e.Typ);
    s.Uzyty = 1;
    s.Kolejny = kolejnyDzwiekowy(s.Element);
    s.Typ = e.Typ;
    s.Kolor = KolorRodzajuMiksu(rodzaj);
    if (rodzaj == RodzajBRK) {
        s.Przerwa = 1;
        s.Wybrany = 0;
    }
    if (rodzaj == RodzajREK) s.Wybrany = 0;
    s.Adres = e.Adr;
    s.Identyfikator = e.Ide;
    s.Emisja = e.Emi;
    s.Sel = e.Sel;
    s.Aut = e.Aut;
    s.Czas = czasSladu(e);

    const qint32 a = s.Emisja;
    s.Intro = a + e.Int;
    s.Outro = a + e.Out;
    s.KoniecFadeIn = e.FIn != 0 ? a + e.FIn : a;
    s.NowyPoczatek = e.NwP != 0 ? a + e.NwP : a;
    s.PoczatekFadeOut = e.FOu != 0 ? a + e.FOu : a + s.Czas;
    s.NowyKoniec = e.NwK != 0 ? a + e.NwK : a + s.Czas;
    s.KrzywaFadeIn = e.FIT;
    s.KrzywaFadeOut = e.FOT;
    if (Wgrywanie.WgrajFadeTyp != 0 && Wgrywanie.WgrajFadeTyp <= KrzywaKwadrat) {
        s.KrzywaFadeIn = Wgrywanie.WgrajFadeTyp;
        s.KrzywaFadeOut = Wgrywanie.WgrajFadeTyp;
        ZmianyMiksu = true;  // so that accepting writes the curves
    }
    s.Wzmocnienie = e.Wzm;
    s.PoziomKaczki = e.Kac;
    s.KoniecKaczkiWe = e.KFI != 0 ? a + e.KFI : a;
    s.PoczatekKaczkiWy = e.KFO != 0 ? a + e.KFO : a + s.Czas;

    // An advert placeholder played as one block: the block's file from the time list.
    if (n == SladPiosenki2 && rodzaj == RodzajREK && Emisja.CzyReklamaJakoBelka) {
        const int t = SzukajGodzinyTListy(e.Tyt);
        if (t >= 1 && t <= MaksTimelisty) s.Adres = Timelista[t].Adr;
    }
    if (obwiednia) WczytajObwiedniaSladu(n);
}

void WczytajObwiedniaSladu(int n) {
    if (n < 1 || n > LiczbaSladowMiksu) return;
    SladMiksuTyp& s = SladyMiksu[n];
    if (s.Adres.isEmpty()) return;
    QFile f(platform::resolvePath(ZbiorObwiedni(s.Adres)));
    // Only a regular file: a FIFO would wait for a writer.
    if (!QFileInfo(f.fileName()).isFile() || !f.open(QIODevice::ReadOnly)) return;
    const qint64 rozmiar = f.size();
    // A file shorter than its header holds no levels.
    if (rozmiar < RozmiarNaglowkaObwiedni || !f.seek(RozmiarNaglowkaObwiedni)) return;
    const qint32 dlugosc = qint32(std::min<qint64>(rozmiar, MaksObwiedniMiksu));
    s.Obwiednia = f.read(dlugosc - RozmiarNaglowkaObwiedni);
    s.DlugoscObwiedni = RozmiarNaglowkaObwiedni + qint32(s.Obwiednia.size());
    s.ObwiedniaJest = 1;
}

int LiczGlosyMiksu(int a, int b) {
    if (a < 1 || a > LiczbaSladowMiksu || b < 1 || b > LiczbaSladowMiksu) return 0;
    const qint32 ea = SladyMiksu[a].Element;
    const qint32 eb = SladyMiksu[b].Element;
    const qint32 pierwszy = SzukajGlosu(ea, eb, ea, 0);
    if (pierwszy == 0) return 0;
    return SzukajGlosu(ea, eb, ea, pierwszy) != 0 ? 2 : 1;
}

void UstawZakresDJ() {
    const SladMiksuTyp& s1 = SladyMiksu[SladPiosenki1];
    const SladMiksuTyp& s2 = SladyMiksu[SladPiosenki2];
    const SladMiksuTyp& s5 = SladyMiksu[SladGlosuPoprzedni];
    const SladMiksuTyp& s6 = SladyMiksu[SladGlosuNastepny];
    const SladMiksuTyp& s7 = SladyMiksu[SladPrzed];
    const SladMiksuTyp& s8 = SladyMiksu[SladPo];
    // The left end without a previous voice is the previous song's start;
    // with no previous song, song 1's.
    if (s5.Uzyty)
        Zakresy.PoczatekZakresuDJ = s5.Emisja + s5.Czas;
    else
        Zakresy.PoczatekZakresuDJ = s7.Uzyty ? s7.Emisja : s1.Emisja;
    if (Wgrywanie.WgrajZderzaki && LiczGlosyMiksu(SladPrzed, SladPiosenki1) == 2)
        Zakresy.PoczatekZakresuDJ = polowa(s1);

    if (s6.Uzyty)
        Zakresy.KoniecZakresuDJ = s6.Emisja;
    else if (s8.Uzyty)
        Zakresy.KoniecZakresuDJ = s8.Emisja + s8.Czas;
    else
        Zakresy.KoniecZakresuDJ = s2.Emisja + s2.Czas;
    if (Wgrywanie.WgrajZderzaki && LiczGlosyMiksu(SladPiosenki2, SladPo) == 2)
        Zakresy.KoniecZakresuDJ = polowa(s2);
}

void PrzeliczZakresDJ() {
    if (!Wgrywanie.WgrajZderzaki) return;
    UstawZakresDJ();
    const SladMiksuTyp& s1 = SladyMiksu[SladPiosenki1];
    const SladMiksuTyp& s2 = SladyMiksu[SladPiosenki2];
    const int przed = LiczGlosyMiksu(SladPrzed, SladPiosenki1);
    const int po = LiczGlosyMiksu(SladPiosenki2, SladPo);
    for (int v : {SladGlosu1, SladGlosu2}) {
        const SladMiksuTyp& s = SladyMiksu[v];
        if (!s.Uzyty) continue;
        if (polowa(s1) >= s.Emisja && przed == 1) Zakresy.PoczatekZakresuDJ = polowa(s1);
        if (polowa(s2) <= s.Emisja && po == 1) Zakresy.KoniecZakresuDJ = polowa(s2);
    }
}

void PrzywrocKopieMiksu() {
    // A take recorded since the backup goes with what the backup drops.
    for (int v : {SladGlosu1, SladGlosu2}) {
        const QString a = SladyMiksu[v].Adres;
        for (int k : {SladGlosu1, SladGlosu2})
            if (SladyMiksuKopia[k].Uzyty && a == QString(SladyMiksuKopia[k].Adres)) SladyMiksu[v].WlasnyZbior = 0;
    }
    PorzucWgrania();
    SladyMiksu = SladyMiksuKopia;
    Zakresy = ZakresyKopia;
}

void UstawMiks(bool obwiednie) {
    // 1. Empty tracks, the copy, the count and the cursor. A fresh build
    // has no changes; loading may give it some.
    for (int n = 1; n <= LiczbaSladowMiksu; ++n) KasujSlad(n);
    ZmianyMiksu = false;
    kopiujPlayliste();
    WybranaPozycjaMiksu = KursorPlaylisty();
    const qint32 kursor = WybranaPozycjaMiksu;
    const qint32 n = LiczbaPozycjiMiksu;

    // 2. Times grow through midnight.
    przesunDni();

    // 3, 4. The songs.
    auto& S = SladyMiksu;
    if (kursor >= 1)
        S[SladPiosenki1].Element = CzyElemDzwiekowy(PlaylistaMiksu[kursor]) ? kursor : dzwiekowyPrzed(kursor);
    S[SladPrzed].Element = dzwiekowyPrzed(S[SladPiosenki1].Element);
    if (kursor >= 1) S[SladPiosenki2].Element = dzwiekowyPo(kursor);
    S[SladPo].Element = dzwiekowyPo(S[SladPiosenki2].Element);
    const qint32 e1 = S[SladPiosenki1].Element;
    const qint32 e2 = S[SladPiosenki2].Element;

    // 5. The voices of this mix.
    if (e1 != 0 && e2 != 0) {
        S[SladGlosu1].Element = SzukajGlosu(e1, e2, kursor, 0);
        if (S[SladGlosu1].Element != 0) S[SladGlosu2].Element = SzukajGlosu(e1, e2, kursor, S[SladGlosu1].Element);
    }
    const qint32 g3 = S[SladGlosu1].Element;
    const qint32 g4 = S[SladGlosu2].Element;

    // 6, 7. The voices of the neighbouring mixes.
    if (e1 != 0)
        for (qint32 k = std::min(kursor + 1, n - 1); k >= 1; --k)
            if (glosSasiedni(k, S[SladPrzed].Element, e1, {g3, g4})) {
                S[SladGlosuPoprzedni].Element = k;
                break;
            }
    if (e2 != 0)
        for (qint32 k = std::max(kursor - 1, 1); k <= n; ++k)
            if (glosSasiedni(k, e2, S[SladPo].Element, {g3, g4, S[SladGlosuPoprzedni].Element})) {
                S[SladGlosuNastepny].Element = k;
                break;
            }

    // 8. Loading, envelopes only where the editor draws them.
    for (int t : {SladPiosenki1, SladPiosenki2}) WczytajSlad(t, obwiednie);
    for (int t : {SladPrzed, SladPo}) WczytajSlad(t, false);
    for (int t : {SladGlosu1, SladGlosu2}) WczytajSlad(t, obwiednie);
    for (int t : {SladGlosuPoprzedni, SladGlosuNastepny}) WczytajSlad(t, false);
    for (int t = SladPiosenki1; t <= SladGlosu2; ++t)
        if (S[t].Uzyty) etykietySladu(t, PlaylistaMiksu[S[t].Element]);
    if (S[SladGlosu1].Uzyty && S[SladGlosu2].Uzyty) S[SladGlosu2].Wybrany = 0;

    // 9. Ranges, backups, view.
    const SladMiksuTyp& s1 = S[SladPiosenki1];
    const SladMiksuTyp& s2 = S[SladPiosenki2];
    Zakresy = ZakresyMiksu{};
    if (s1.Uzyty && s2.Uzyty) {
        Zakresy.KursorPodgladu = s2.Emisja - 2000;
        Zakresy.PoczatekWgrania = PlaylistaMiksu[e1].Out != 0 ? s1.Outro : s2.NowyPoczatek;
        Zakresy.KoniecWgrania = PlaylistaMiksu[e2].Int != 0 ? s2.Intro : s2.Emisja;
        if (Zakresy.KoniecWgrania < Zakresy.PoczatekWgrania)
            std::swap(Zakresy.PoczatekWgrania, Zakresy.KoniecWgrania);
        Zakresy.GranicaLewa = S[SladPrzed].Uzyty ? S[SladPrzed].NowyKoniec : s1.Emisja;
        Zakresy.GranicaPrawa = S[SladPo].Uzyty ? S[SladPo].NowyPoczatek : s2.Emisja + s2.Czas;
        UstawZakresDJ();
    }
    SladyMiksuKopia = SladyMiksu;
    ZakresyKopia = Zakresy;
    CentrujWidok();
}

// ---- the time line ----

namespace {
qint32 msNaPiksel() { return 10 * (ZoomMiksu != 0 ? ZoomMiksu : 1); }
}  // namespace

qint32 CzasNaPiksel(qint32 t) { return qint32((qint64(t) - PoczatekWidoku) / msNaPiksel()); }

qint32 PikselNaCzas(qint32 x) { return qint32(qint64(x) * msNaPiksel() + PoczatekWidoku); }

void CentrujWidok() {
    ZakresWidoku = qint32(qint64(SzerokoscWidoku) * msNaPiksel() + 1);
    const qint64 koniec1 = SladyMiksu[SladPiosenki1].NowyKoniec;
    const qint64 poczatek2 = SladyMiksu[SladPiosenki2].NowyPoczatek;
    const qint64 srodek = std::min(koniec1, poczatek2) + (std::max(koniec1, poczatek2) - std::min(koniec1, poczatek2)) / 2;
    PoczatekWidoku = qint32(srodek - ZakresWidoku / 2 + PrzesuniecieWidoku);
}

void PrzesunSlad(SladMiksuTyp& s, qint32 d) {
    for (qint32* t : {&s.Emisja, &s.Intro, &s.Outro, &s.KoniecFadeIn, &s.NowyPoczatek, &s.PoczatekFadeOut, &s.NowyKoniec,
                      &s.KoniecKaczkiWe, &s.PoczatekKaczkiWy})
        *t += d;
}

void PrzesunPiosenke2(qint32 d, bool zNastepnymi) {
    auto& S = SladyMiksu;
    auto& Z = Zakresy;
    PrzesunSlad(S[SladPiosenki2], d);
    if (Z.KoniecWgrania != 0) Z.KoniecWgrania += d;
    if (!zNastepnymi) return;
    for (int t : {SladGlosuNastepny, SladPo})
        if (S[t].Uzyty) PrzesunSlad(S[t], d);
    Z.GranicaPrawa += d;
    Z.KoniecZakresuDJ += d;
}
