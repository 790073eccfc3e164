// Writing a mix back: the tracks into the working copy, the copy into the
// on-air playlist, and the steps to the neighbouring mixes. The playlist is
// on air while the editor is open: the write keeps what the engine did to it
// meanwhile and moves the players' element numbers, the cursor and the
// next-to-play element with their elements.
#include <QList>

#include <algorithm>
#include <limits>
#include <numeric>
#include <vector>

#include <QFile>

#include "audio/Obwiednia.h"
#include "audio/OpisNagrania.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "mixeditor/EdycjaPL.h"
#include "mixeditor/EdycjaPLWewn.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/Paths.h"
#include "playlists/NastawyEmisji.h"

using namespace edycja_pl;

namespace {

const QString NieMoznaUstawic = QStringLiteral("Nie można ustawić miksów");
const QString PowodNagranie = QStringLiteral("(należy wybrać nagranie)");
const QString PowodNastepne = QStringLiteral("(nie ma następnego nagrania)");

// ---- the tracks into the working copy ----

quint8 rodzajGlosu(TColor kolor) {
    if (kolor == KolorSladuBRK) return RodzajBRK;
    if (kolor == KolorSladuWHI) return RodzajWHI;
    return RodzajDJ_;
}

void usunElement(qint32 k) {
    qint32& n = LiczbaPozycjiMiksu;
    std::move(PlaylistaMiksu.begin() + k + 1, PlaylistaMiksu.begin() + n + 1, PlaylistaMiksu.begin() + k);
    std::move(Zrodla.begin() + k + 1, Zrodla.begin() + n + 1, Zrodla.begin() + k);
    InitElemPListy(PlaylistaMiksu[n]);
    Zrodla[n] = {};
    --n;
    for (int t = 1; t <= LiczbaSladowMiksu; ++t)
        if (SladyMiksu[t].Element > k) --SladyMiksu[t].Element;
}

// A voice track written into its element. A new one (or a new recording in
// the element of an old one) is filled whole; an element that keeps its
// recording keeps its title, identifier, texts and flags and takes only the
// times and levels the editor changes.
void zapiszGlos(SladMiksuTyp& s, bool nowy) {
    TElemPListy& e = PlaylistaMiksu[s.Element];
    const quint8 rodzaj = rodzajGlosu(s.Kolor);
    const quint8 flagi = nowy ? 0 : quint8(e.Typ & 0xE0);
    if (nowy || QString(e.Adr) != QString(s.Adres)) {
        InitElemPListy(e);
        e.Ide = s.WlasnyZbior ? NazwaSciezki(s.Adres) : QString(s.Identyfikator);
        e.Tyt = s.TytulEtykieta;
        e.Adr = s.Adres;
        e.Aut = s.Aut;
        e.Sel = s.Sel;
    }
    e.Typ = flagi | rodzaj;
    const qint32 a = s.Emisja;
    e.Emi = a;
    e.Trw = s.Czas;
    e.NwP = s.NowyPoczatek - a;
    e.NwK = s.NowyKoniec - a;
    e.FIn = e.NwP;
    e.FOu = e.NwK;
    e.Int = e.NwP;
    e.Out = e.NwK;
    e.Mix = 0;
    e.Wzm = s.Wzmocnienie;
    e.Kac = s.PoziomKaczki;
    e.KFI = s.KoniecKaczkiWe - a;
    e.KFO = s.PoczatekKaczkiWy - a;
}

void zastosujGlosy() {
    for (int v : {SladGlosu1, SladGlosu2}) {
        SladMiksuTyp& s = SladyMiksu[v];
        if (!s.Uzyty) {
            if (s.Element >= 1 && s.Element <= LiczbaPozycjiMiksu) {
                const qint32 k = s.Element;
                s.Element = 0;
                usunElement(k);
            }
            continue;
        }
        const bool nowy = s.Element < 1 || s.Element > LiczbaPozycjiMiksu;
        if (nowy) {
            if (LiczbaPozycjiMiksu >= MaksPlaylisty) {
                PokazInfo(QStringLiteral("Brak pamięci"), QStringLiteral(" (Dopuszczalna liczba elementów: ") +
                                                              QString::number(MaksPlaylisty) + QLatin1Char(')'));
                continue;
            }
            s.Element = ++LiczbaPozycjiMiksu;
            // It lies in the mix's days.
            Zrodla[s.Element] = {0, Zrodla[SladyMiksu[SladPiosenki1].Element].DniPoza};
        }
        zapiszGlos(s, nowy);
    }
}

qint64 kluczSortu(qint32 i) {
    const TElemPListy& e = PlaylistaMiksu[i];
    return qint64(e.Emi) + e.NwP + qint64(Zrodla[i].DniPoza) * DobaMs;
}

// Song 2 moved by -d takes along everything after it and what lies between
// the songs, so that each keeps its place in the list; an element of the gap
// is not moved to before song 1's start. A recorded voice of the gap keeps
// its time: it sounds over song 1 (a whisper over its start). A break on a
// voice track has no sound to place on the time line: unless the operator
// moved it, it goes along with its neighbours.
void przesunZaPiosenka2(qint32 d) {
    const SladMiksuTyp& s1 = SladyMiksu[SladPiosenki1];
    const qint32 p2 = SladyMiksu[SladPiosenki2].Element;
    const bool zLuka = s1.Uzyty && s1.Element >= 1 && s1.Element < p2 && PlaylistaMiksu[s1.Element].Emi != -1;
    const qint32 p1 = zLuka ? s1.Element : p2;
    std::vector<int> przerwy;
    for (int v : {SladGlosu1, SladGlosu2}) {
        const SladMiksuTyp& s = SladyMiksu[v];
        if (s.Uzyty && s.Element > p1 && s.Element <= LiczbaPozycjiMiksu && s.Kolor == KolorSladuBRK &&
            s.Emisja == PlaylistaMiksu[s.Element].Emi && QString(s.Adres) == QString(PlaylistaMiksu[s.Element].Adr))
            przerwy.push_back(v);
    }
    const qint64 poczatek1 = kluczSortu(p1);
    for (qint32 i = p1 + 1; i <= LiczbaPozycjiMiksu; ++i) {
        TElemPListy& e = PlaylistaMiksu[i];
        if (i == p2 || e.Emi == -1) continue;
        const quint8 rodzaj = RodzajElemPListy(e.Typ);
        if (i > p2) {
            e.Emi -= d;
        } else if (rodzaj != RodzajDJ_ && rodzaj != RodzajWHI) {
            const qint64 k = kluczSortu(i);
            e.Emi += qint32(std::max(k - d, std::min(k, poczatek1)) - k);
        }
    }
    for (int v : przerwy) PrzesunSlad(SladyMiksu[v], PlaylistaMiksu[SladyMiksu[v].Element].Emi - SladyMiksu[v].Emisja);
}

// Stable by start (Emi + NwP) on the continuous days. An element without an
// air time stays right after the element before it.
void sortuj() {
    const qint32 n = LiczbaPozycjiMiksu;
    PokazStan(QStringLiteral("Sortowanie playlisty"), QString(), true);
    StanMaksimum = float(n);
    std::vector<qint64> klucz(size_t(n) + 1);
    klucz[0] = std::numeric_limits<qint64>::min();
    for (qint32 i = 1; i <= n; ++i) klucz[i] = PlaylistaMiksu[i].Emi == -1 ? klucz[i - 1] : kluczSortu(i);
    if (!std::is_sorted(klucz.begin() + 1, klucz.end())) {
        std::vector<qint32> porzadek(static_cast<size_t>(n));  // new place i+1 takes old element porzadek[i]
        std::iota(porzadek.begin(), porzadek.end(), 1);
        std::stable_sort(porzadek.begin(), porzadek.end(), [&](qint32 a, qint32 b) { return klucz[a] < klucz[b]; });
        std::vector<qint32> nowe(size_t(n) + 1);  // old place -> new place
        for (qint32 i = 0; i < n; ++i) nowe[porzadek[i]] = i + 1;
        // Each cycle of the permutation is followed once, moving the elements.
        std::vector<bool> zrobione(size_t(n) + 1);
        for (qint32 i = 1; i <= n; ++i) {
            if (zrobione[i] || porzadek[i - 1] == i) continue;
            TElemPListy e = std::move(PlaylistaMiksu[i]);
            const ZrodloElementu p = Zrodla[i];
            qint32 j = i;
            for (;;) {
                zrobione[j] = true;
                const qint32 z = porzadek[j - 1];
                if (z == i) break;
                PlaylistaMiksu[j] = std::move(PlaylistaMiksu[z]);
                Zrodla[j] = Zrodla[z];
                j = z;
            }
            PlaylistaMiksu[j] = std::move(e);
            Zrodla[j] = p;
        }
        for (int t = 1; t <= LiczbaSladowMiksu; ++t)
            if (SladyMiksu[t].Element >= 1 && SladyMiksu[t].Element <= n)
                SladyMiksu[t].Element = nowe[SladyMiksu[t].Element];
    }
    UstawStan(n);
    ZamknijStan();
}

// ---- the copy into the playlist ----

// The same element, equal but for what the engine writes into elements
// while they play.
bool rowneBezStanuEmisji(const TElemPListy& teraz, const TElemPListy& bylo) {
    if (teraz.Tozsamosc.Numer != bylo.Tozsamosc.Numer) return false;
    if (teraz == bylo) return true;
    TElemPListy x = teraz;
    x.Typ = quint8((x.Typ & ~TypZagrany) | (bylo.Typ & TypZagrany));
    x.Wznow = bylo.Wznow;
    x.BrakZbioru = bylo.BrakZbioru;
    return x == bylo;
}

bool playlistaJakPrzyBudowie() {
    if (StanPlaylisty.Ilosc != LiczbaZrodlowa) return false;
    for (qint32 i = 1; i <= LiczbaZrodlowa; ++i)
        if (!rowneBezStanuEmisji(Playlista[i], PlaylistaZrodlowa[i])) return false;
    return true;
}

// A DJ take recorded into the local folder plays from the network folder's
// compressed copy.
void adresDJWSieci(TElemPListy& e) {
    if (RodzajElemPListy(e.Typ) != RodzajDJ_) return;
    const QString adres = e.Adr;
    // The folder as a take's path in it has it, whichever separator that is.
    const auto ukosnik = [](const QString& p) { return std::max(p.lastIndexOf(u'\\'), p.lastIndexOf(u'/')); };
    const QString wzor = ZbiorWKataloguWgrywania(Wgrywanie.WgrajKatalogLok, QStringLiteral("x"));
    const qsizetype u = ukosnik(adres);
    if (u < 0 || upperPL(adres.left(u)) != upperPL(wzor.left(ukosnik(wzor)))) return;
    QString nazwa = adres.mid(u + 1);
    const qsizetype kropka = nazwa.indexOf(QLatin1Char('.'));
    if (kropka >= 0) nazwa.truncate(kropka);
    e.Adr = cutTo(ZbiorWKataloguWgrywania(Wgrywanie.WgrajKatalogSiec2, nazwa + QStringLiteral(".WAV")), 250);
}

// Old number -> new number for the elements that stayed (0: removed).
std::vector<qint32> numeryPoZapisie;

// The place after everything that stayed from before an old number.
qint32 poPrzebytych(qint32 stary) {
    qint32 przed = 0;
    for (qint32 j = 1; j < stary; ++j) przed = std::max(przed, numeryPoZapisie[j]);
    return std::clamp(przed + 1, 1, std::max(LiczbaPozycjiMiksu, 1));
}

bool wStarej(qint32 numer) { return numer >= 1 && numer < qint32(numeryPoZapisie.size()); }

// The cursor stays on its element; on a removed one it takes the place after
// what stayed before it.
qint32 przeniesNumer(qint32 stary) {
    if (!wStarej(stary)) return std::min(stary, LiczbaPozycjiMiksu);
    return numeryPoZapisie[stary] != 0 ? numeryPoZapisie[stary] : poPrzebytych(stary);
}

// The next to play follows what was passed, so an element the mix put right
// after the passed ones (a new voice track) is played next.
qint32 przeniesNastepny(qint32 stary) {
    return wStarej(stary) ? poPrzebytych(stary) : std::min(stary, LiczbaPozycjiMiksu);
}

// What the engine writes into elements while they play; the write keeps it.
struct StanEmisji {
    quint8 zagrany = 0;
    qint32 Wznow = 0;
    quint8 BrakZbioru = 0;
};

void zapiszDoPlaylisty() {
    const qint32 n = LiczbaPozycjiMiksu;
    const qint32 stara = IloscPlaylisty();
    const auto& zmieniona = PolaczeniaEdycji.PlaylistaZmieniona;
    if (zmieniona) zmieniona(true);
    ZapiszUndoPlaylisty(QStringLiteral("Miksy"));
    const NumeryGraczyUndo& gracze = NumeryGraczy();
    const QList<qint32> numeryGraczy = gracze.pobierz ? gracze.pobierz() : QList<qint32>{};
    std::vector<StanEmisji> stan(size_t(stara) + 1);
    for (qint32 i = 1; i <= stara; ++i)
        stan[i] = {quint8(Playlista[i].Typ & TypZagrany), Playlista[i].Wznow, Playlista[i].BrakZbioru};

    numeryPoZapisie.assign(size_t(stara) + 1, 0);
    for (qint32 i = 1; i <= n; ++i) {
        TElemPListy& e = Playlista[i];
        e = PlaylistaMiksu[i];
        const qint32 o = Zrodla[i].Numer;
        if (o >= 1 && o <= stara) {
            numeryPoZapisie[o] = i;
            e.Typ = quint8((e.Typ & ~TypZagrany) | stan[o].zagrany);
            e.Wznow = stan[o].Wznow;
            e.BrakZbioru = stan[o].BrakZbioru;
        }
        if (Emisja.CzyPlayListaZmienAdresDJ) adresDJWSieci(e);
    }
    for (qint32 i = n + 1; i <= stara; ++i) InitElemPListy(Playlista[i]);

    StanPlaylisty.Ilosc = n;
    StanPlaylisty.Kursor = przeniesNumer(StanPlaylisty.Kursor);
    StanPlaylisty.DoGrania = przeniesNastepny(StanPlaylisty.DoGrania);
    while (StanPlaylisty.DoGrania >= 1 && StanPlaylisty.DoGrania < n &&
           RodzajElemPListy(Playlista[StanPlaylisty.DoGrania].Typ) == RodzajBRK)
        ++StanPlaylisty.DoGrania;
    if (gracze.ustaw) {
        QList<qint32> nowe;
        for (qint32 numer : numeryGraczy) nowe << (wStarej(numer) ? numeryPoZapisie[numer] : 0);
        gracze.ustaw(nowe);
    }
    // The console settles the next element on the list written back.
    if (zmieniona) zmieniona(false);
}

// ---- voices on air and takes kept ----

bool wKopii(qint32 k) { return k >= 1 && k <= LiczbaPozycjiMiksu; }

// An element of the working copy that stands on a player now: the element
// itself, whatever number the playlist gives it by now.
bool elementGra(qint32 k) {
    const quint64 ten = wKopii(k) ? PlaylistaMiksu[k].Tozsamosc.Numer : 0;
    const NumeryGraczyUndo& gracze = NumeryGraczy();
    if (ten == 0 || !gracze.pobierz) return false;
    for (const qint32 numer : gracze.pobierz())
        if (numer >= 1 && numer <= IloscPlaylisty() && Playlista[numer].Tozsamosc.Numer == ten) return true;
    return false;
}

// A playing voice element the write would remove or replace: refused with
// the console's own words, naming it.
bool glosGranyUsuwany() {
    for (int v : {SladGlosu1, SladGlosu2}) {
        const SladMiksuTyp& s = SladyMiksu[v];
        if (!wKopii(s.Element)) continue;
        const TElemPListy& e = PlaylistaMiksu[s.Element];
        if ((!s.Uzyty || QString(e.Adr) != QString(s.Adres)) && elementGra(s.Element)) {
            PokazInfo(QStringLiteral("Nie można usunąć elementu - obecnie odtwarzany"),
                      QLatin1Char('(') + QString(e.Tyt) + QLatin1Char(')'));
            return true;
        }
    }
    return false;
}

// A voice track holding what the playlist does not: a take recorded here or
// a recording inserted.
bool nowyGlos(const SladMiksuTyp& s) {
    if (!s.Uzyty) return false;
    if (s.WlasnyZbior || !wKopii(s.Element)) return true;
    return QString(PlaylistaMiksu[s.Element].Adr) != QString(s.Adres);
}

// A new voice kept through a refused write, with the song it lies over.
struct ZachowanyGlos {
    SladMiksuTyp slad;
    int piosenka = SladPiosenki1;
    qint32 odstep = 0;  // its air time minus that song's
    quint64 zastepuje = 0;  // the element it took the place of (0 none)
};

std::vector<ZachowanyGlos> zachowajGlosy() {
    std::vector<ZachowanyGlos> g;
    const SladMiksuTyp& s2 = SladyMiksu[SladPiosenki2];
    for (int v : {SladGlosu1, SladGlosu2}) {
        const SladMiksuTyp& s = SladyMiksu[v];
        if (!nowyGlos(s)) continue;
        ZachowanyGlos z;
        z.slad = s;
        z.piosenka = s2.Uzyty && s.Emisja >= s2.NowyPoczatek ? SladPiosenki2 : SladPiosenki1;
        z.odstep = s.Emisja - SladyMiksu[z.piosenka].Emisja;
        if (wKopii(s.Element)) z.zastepuje = PlaylistaMiksu[s.Element].Tozsamosc.Numer;
        g.push_back(z);
    }
    return g;
}

// The new voices into the mix built again: each as far from its song as it
// was, on the track of the element it replaced, else on a free one.
int przywrocGlosy(const std::vector<ZachowanyGlos>& glosy) {
    std::array<bool, LiczbaSladowMiksu + 1> zajety{};
    for (const ZachowanyGlos& z : glosy) {
        const auto zastepowany = [&](int v) {
            const SladMiksuTyp& s = SladyMiksu[v];
            return s.Uzyty && wKopii(s.Element) && z.zastepuje != 0 &&
                   PlaylistaMiksu[s.Element].Tozsamosc.Numer == z.zastepuje;
        };
        int t = 0;
        for (int v : {SladGlosu1, SladGlosu2})
            if (!t && !zajety[v] && zastepowany(v)) t = v;
        for (int v : {SladGlosu1, SladGlosu2})
            if (!t && !zajety[v] && !SladyMiksu[v].Uzyty) t = v;
        // Both tracks hold the playlist's voices: the take goes beside them
        // (theirs stay in the playlist) rather than be lost.
        for (int v : {SladGlosu1, SladGlosu2})
            if (!t && !zajety[v]) t = v;
        if (!t) break;
        const qint32 element = zastepowany(t) ? SladyMiksu[t].Element : 0;
        const qint32 d = SladyMiksu[z.piosenka].Uzyty ? SladyMiksu[z.piosenka].Emisja + z.odstep - z.slad.Emisja : 0;
        SladMiksuTyp& s = SladyMiksu[t];
        s = z.slad;
        s.Element = element;
        PrzesunSlad(s, d);
        SladyMiksu[SladGlosu1 + SladGlosu2 - t].Wybrany = 0;
        s.Wybrany = 1;
        zajety[t] = true;
    }
    const int zostalo = int(std::count(zajety.begin(), zajety.end(), true));
    if (zostalo) ZmianyMiksu = true;
    return zostalo;
}

// Where the mix lies in the playlist as it is now: song 1 and song 2 found
// by identity, still one after the other, and every new voice ahead of the
// next mark (a voice behind it would never air). The reason it cannot be
// built there again; empty when it can, with `piosenka1` set.
QString miejsceMiksu(const std::vector<ZachowanyGlos>& glosy, qint32& piosenka1) {
    const auto teraz = [](int t) {
        const SladMiksuTyp& s = SladyMiksu[t];
        return s.Uzyty && wKopii(s.Element) ? ElementOTozsamosci(PlaylistaMiksu[s.Element].Tozsamosc.Numer) : 0;
    };
    const QString zmiana = QStringLiteral("(playlista zmieniła się w czasie edycji; ");
    const qint32 p1 = teraz(SladPiosenki1), p2 = teraz(SladPiosenki2);
    qint32 po = p1 + 1;
    while (p1 >= 1 && po < p2 && !CzyElemDzwiekowy(Playlista[po])) ++po;
    if (p1 == 0 || p2 != po) return zmiana + QStringLiteral("nie ma w niej już tego miksu)");
    const qint32 nastepny = StanPlaylisty.DoGrania;
    const NumeryGraczyUndo& gracze = NumeryGraczy();
    const QList<qint32> naDekach = gracze.pobierz ? gracze.pobierz() : QList<qint32>{};
    for (const ZachowanyGlos& z : glosy) {
        const qint32 piosenka = z.piosenka == SladPiosenki1 ? p1 : p2;
        // Written right after its song; with no next mark, only a song still
        // to come has it played after it.
        const bool przed = nastepny >= 1 ? piosenka + 1 >= nastepny
                                         : !(Playlista[piosenka].Typ & TypZagrany) && !naDekach.contains(piosenka);
        if (!przed) return zmiana + QStringLiteral("miejsce wgrania DJ już minęło)");
    }
    piosenka1 = p1;
    return QString();
}

void usunZbiorWgrania(const QString& adres) {
    for (const QString& p : {adres, ZbiorObwiedni(adres), ZbiorOpisu(adres)})
        QFile::remove(platform::resolvePath(p));
    Log(QStringLiteral("Usunięto porzucone wgranie: ") + adres);
}

bool odmowa(const QString& powod) {
    PokazInfo(NieMoznaUstawic, powod);
    return false;
}

// Kinds the editor opens on; stepping passes over whispers.
bool rodzajWejscia(quint8 r) {
    return r == RodzajSND || r == RodzajBRK || r == RodzajREK || r == RodzajDJ_ || (r >= RodzajJNG && r <= RodzajEFE);
}
bool rodzajKroku(quint8 r) { return rodzajWejscia(r) && r != RodzajWHI; }

// The reason a built mix cannot be edited; empty when both songs are there.
QString brakPiosenki() {
    if (!SladyMiksu[SladPiosenki1].Uzyty) return PowodNagranie;
    if (!SladyMiksu[SladPiosenki2].Uzyty) return PowodNastepne;
    return QString();
}

void sygnalizujMiks() {
    if (PolaczeniaEdycji.MiksZmiana) PolaczeniaEdycji.MiksZmiana();
}

bool krokMiksu(int kierunek) {
    const auto& P = PolaczeniaEdycji;
    if (P.PodgladTrwa && P.PodgladTrwa()) return false;
    if (P.ZatrzymajPodglad) P.ZatrzymajPodglad();

    const qint32 zrodlo1 = Zrodla[std::clamp<qint32>(SladyMiksu[SladPiosenki1].Element, 0, MaksPlaylisty)].Numer;
    // The step goes from the mix shown: the engine moves the playlist's
    // cursor on to the next element to play while the editor is open.
    const qint32 kursorMiksu = WybranaPozycjaMiksu;
    const WynikAkceptacji wynik = AkceptujMiks(2);
    // The playlist changed under the edits (the mix was built again on it),
    // or a voice the write would remove plays: the mix stays.
    if (wynik == WynikAkceptacji::Niezapisano || wynik == WynikAkceptacji::Anulowano) return false;
    const bool zapisano = wynik == WynikAkceptacji::Zapisano;
    const qint32 poprzedni1 = zapisano ? przeniesNumer(zrodlo1) : zrodlo1;
    StanPlaylisty.Kursor = std::clamp(zapisano ? przeniesNumer(kursorMiksu) : kursorMiksu, 0, IloscPlaylisty());
    if (P.NastepnaNazwaWgrania) P.NastepnaNazwaWgrania();

    const qint32 stary = StanPlaylisty.Kursor;
    const qint32 n = IloscPlaylisty();
    qint32 k = KursorPlaylisty();
    bool znaleziony = false;
    while (kierunek < 0 ? k > 1 : k < n - 1) {
        k += kierunek;
        StanPlaylisty.Kursor = k;
        const TElemPListy& e = Playlista[k];
        if (!rodzajKroku(RodzajElemPListy(e.Typ)) || e.Trw <= 0) continue;
        // The candidates are built without their envelopes: only the last one is shown.
        UstawMiks(false);
        PrzesuniecieWidoku = 0;
        CentrujWidok();
        if (SladyMiksu[SladPiosenki1].Element != poprzedni1) {
            znaleziony = true;
            break;
        }
    }
    const QString powod = znaleziony ? brakPiosenki() : QStringLiteral("(element inny niż SND)");
    if (!powod.isEmpty()) {
        PokazInfo(NieMoznaUstawic, powod);
        StanPlaylisty.Kursor = stary;
        UstawMiks(true);
        return false;
    }
    for (int t = SladPiosenki1; t <= SladGlosu2; ++t) WczytajObwiedniaSladu(t);
    SladyMiksuKopia = SladyMiksu;
    sygnalizujMiks();
    return true;
}

}  // namespace

void ZastosujMiks() {
    SladMiksuTyp& s1 = SladyMiksu[SladPiosenki1];
    SladMiksuTyp& s2 = SladyMiksu[SladPiosenki2];
    const auto wKopii = [](const SladMiksuTyp& s) { return s.Uzyty && s.Element >= 1 && s.Element <= LiczbaPozycjiMiksu; };

    if (wKopii(s1)) {
        TElemPListy& e = PlaylistaMiksu[s1.Element];
        const qint32 a1 = s1.Emisja;
        if (s2.Uzyty) {
            e.Mix = s1.NowyKoniec - s2.NowyPoczatek;
            // -1 would read as the kind's default crossfade; a 1 ms gap is none.
            if (e.Mix == -1) e.Mix = 0;
        }
        e.NwK = s1.NowyKoniec - a1;
        e.FOu = s1.PoczatekFadeOut - a1;
        e.Out = s1.Outro - a1;
        e.Wzm = s1.Wzmocnienie;
        e.FOT = s1.KrzywaFadeOut;
    }
    if (wKopii(s2)) {
        TElemPListy& e = PlaylistaMiksu[s2.Element];
        const qint32 a2 = s2.Emisja;
        // An element without an air time has nothing to move.
        if (e.Emi != -1) {
            const qint32 d = e.Emi - a2;
            e.Emi = a2;
            przesunZaPiosenka2(d);
        }
        e.NwP = s2.NowyPoczatek - a2;
        e.FIn = s2.KoniecFadeIn - a2;
        e.Int = s2.Intro - a2;
        e.Wzm = s2.Wzmocnienie;
        e.FIT = s2.KrzywaFadeIn;
    }
    zastosujGlosy();
    sortuj();
    for (qint32 i = 1; i <= LiczbaPozycjiMiksu; ++i) {
        qint32& emi = PlaylistaMiksu[i].Emi;
        if (emi == -1) continue;
        emi %= DobaMs;
        if (emi < 0) emi += DobaMs;
    }
    ZmianyMiksu = false;
}

bool GlosGra(int n) {
    return (n == SladGlosu1 || n == SladGlosu2) && elementGra(SladyMiksu[n].Element);
}

void PorzucWgrania() {
    for (int v : {SladGlosu1, SladGlosu2}) {
        SladMiksuTyp& s = SladyMiksu[v];
        if (s.Uzyty && s.WlasnyZbior && !s.Adres.str().isEmpty()) usunZbiorWgrania(s.Adres);
        s.WlasnyZbior = 0;
    }
}

WynikAkceptacji AkceptujMiks(int zestaw) {
    if (!ZmianyMiksu) return WynikAkceptacji::BezZmian;
    if (glosGranyUsuwany()) return WynikAkceptacji::Anulowano;
    const int odpowiedz = Wgrywanie.WgrajModyfikacjaPytaj
                              ? Decyzja(QStringLiteral("Czy modyfikować playlistę?"), QString(), zestaw)
                              : WynikTak;
    if (odpowiedz == WynikAnuluj && zestaw == 3) return WynikAkceptacji::Anulowano;
    if (odpowiedz != WynikTak) {
        PorzucWgrania();
        return WynikAkceptacji::Odrzucono;
    }

    // The engine went on playing while the question was open too.
    if (glosGranyUsuwany()) return WynikAkceptacji::Anulowano;
    if (!playlistaJakPrzyBudowie()) {
        // The mix is built again on the playlist as it is now, around the
        // same songs, with the new voices in it for the next accept. Where
        // that cannot be, nothing is built: the takes stay in the editor.
        const std::vector<ZachowanyGlos> glosy = zachowajGlosy();
        qint32 piosenka1 = 0;
        QString powod = miejsceMiksu(glosy, piosenka1);
        if (powod.isEmpty()) {
            StanPlaylisty.Kursor = piosenka1;
            UstawMiks(true);
            const bool zostaly = przywrocGlosy(glosy) > 0;
            // Reset goes back to this mix, takes included.
            SladyMiksuKopia = SladyMiksu;
            powod = QStringLiteral("(playlista zmieniła się w czasie edycji") +
                    (zostaly ? QStringLiteral("; wgrania DJ zostały w miksie)") : QStringLiteral(")"));
        }
        Log(QStringLiteral("Nie zapisano miksów ") + powod);
        PokazInfo(QStringLiteral("Nie zapisano miksów"), powod);
        return WynikAkceptacji::Niezapisano;
    }
    ZastosujMiks();
    zapiszDoPlaylisty();
    ZmianyMiksu = false;
    // The takes are the playlist's now: nothing abandons them any more.
    for (int v : {SladGlosu1, SladGlosu2}) SladyMiksu[v].WlasnyZbior = 0;
    sygnalizujMiks();
    if (PolaczeniaEdycji.KopiujWgraniaDoSieci) PolaczeniaEdycji.KopiujWgraniaDoSieci();
    return WynikAkceptacji::Zapisano;
}

bool PoprzedniMiks() { return krokMiksu(-1); }
bool NastepnyMiks() { return krokMiksu(1); }

bool EdytujMiksy() {
    const qint32 n = StanPlaylisty.Ilosc;
    if (n < 2) return odmowa(QStringLiteral("(wymagane co najmniej dwa elementy playlisty)"));
    const qint32 k = StanPlaylisty.Kursor;
    if (k >= n) return odmowa(PowodNastepne);
    ElemPListyRob = k >= 1 ? Playlista[k] : TElemPListy{};
    if (!rodzajWejscia(RodzajElemPListy(ElemPListyRob.Typ))) return odmowa(PowodNagranie);

    UstawMiks(true);
    const QString powod = brakPiosenki();
    if (!powod.isEmpty()) return odmowa(powod);

    const auto& P = PolaczeniaEdycji;
    if (P.OtworzWejscie) P.OtworzWejscie();
    if (P.NastepnaNazwaWgrania) P.NastepnaNazwaWgrania();
    if (P.PokazOkno) P.PokazOkno();
    // Takes recorded but never written are not left on the disk.
    PorzucWgrania();
    if (P.WyczyscNazweWgrania) P.WyczyscNazweWgrania();
    return true;
}
