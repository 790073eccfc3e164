#include "playlists/D_Playlista.h"

#include <algorithm>
#include <utility>

#include "foundation/Dialogi.h"
#include "foundation/Text.h"
#include "playlists/NastawyEmisji.h"

PlaylistaNaAntenie Playlista;
StanListy StanPlaylisty;
QString PlaylistaZbior;
QString PlaylistaNazwa = QStringLiteral("Nie_ma");
TElemPListy ElemPListyRob;

TablicaPlaylisty PlaylistaUndo;
StanListy StanPlaylistyUndo;
QString PlaylistaZbiorUndo;
QString PlaylistaNazwaUndo;
bool UndoJest = false;
QString UndoOperacja;

namespace {

NumeryGraczyUndo numeryGraczy;

// A list count as a number of array elements (a count is never trusted to
// lie inside the array).
int iloscWTablicy(qint32 ilosc) { return std::clamp<qint32>(ilosc, 0, MaksPlaylisty); }

}  // namespace

// ------------------------------------------------------- the element array

TablicaPlaylisty& TablicaPlaylisty::operator=(const TablicaPlaylisty& t) {
    if (this == &t) return *this;
    for (size_t i = 0; i < bloki_.size(); ++i) {
        if (!t.bloki_[i])
            bloki_[i].reset();
        else if (bloki_[i])
            *bloki_[i] = *t.bloki_[i];
        else
            bloki_[i] = std::make_unique<Blok>(*t.bloki_[i]);
    }
    return *this;
}

void TablicaPlaylisty::Przytnij(size_t ostatni) {
    if (ostatni >= Rozmiar - 1) return;
    const size_t pierwszy = ostatni + 1;
    const size_t blok = pierwszy / NaBlok;
    if (bloki_[blok])
        for (size_t i = pierwszy % NaBlok; i < NaBlok; ++i) (*bloki_[blok])[i] = TElemPListy{};
    for (size_t b = blok + (pierwszy % NaBlok != 0 ? 1 : 0); b < bloki_.size(); ++b) bloki_[b].reset();
}

const TElemPListy& TablicaPlaylisty::Pusty() {
    static const TElemPListy e;
    return e;
}

void UstawStanListy(StanListy& stan, const QString& nazwa, const TRect& panel, qint32 pojemnosc, qint32 wierszy) {
    stan.Nazwa = nazwa;
    UstawPanelListy(stan, panel, 20);
    stan.Kursor = 0;
    stan.DoGrania = 0;
    stan.Ilosc = 0;
    stan.Pierwszy = 1;
    stan.Pojemnosc = pojemnosc;
    stan.Wierszy = wierszy;
}

void UstawPanelListy(StanListy& stan, const TRect& panel, int naglowek) {
    stan.Panel = panel;
    stan.Lista = {panel.Left + 4, panel.Top + naglowek, panel.Right - 21, panel.Bottom - 4};
    stan.Pasek = {panel.Right - 16, panel.Top + naglowek, panel.Right - 5, panel.Bottom - 4};
}

// ------------------------------------------------------------------ undo

void UstawNumeryGraczyUndo(NumeryGraczyUndo numery) { numeryGraczy = std::move(numery); }

const NumeryGraczyUndo& NumeryGraczy() { return numeryGraczy; }

namespace {
quint64 ostatniaTozsamosc = 0;
}

quint64 NumerujElement(TElemPListy& e) {
    if (e.Tozsamosc.Numer == 0) e.Tozsamosc.Numer = ++ostatniaTozsamosc;
    return e.Tozsamosc.Numer;
}

void NumerujPlayliste() {
    for (qint32 i = 1; i <= iloscWTablicy(StanPlaylisty.Ilosc); ++i) NumerujElement(Playlista[i]);
}

qint32 ElementOTozsamosci(quint64 numer) {
    for (qint32 i = 1; numer != 0 && i <= iloscWTablicy(StanPlaylisty.Ilosc); ++i)
        if (Playlista[i].Tozsamosc.Numer == numer) return i;
    return 0;
}

void ZapiszUndoPlaylisty(const QString& operacja) {
    NumerujPlayliste();
    // Only the list's own elements: every edit takes a snapshot, and a short
    // list must not pay for the whole array.
    const int ilosc = iloscWTablicy(StanPlaylisty.Ilosc);
    std::copy(Playlista.begin() + 1, Playlista.begin() + 1 + ilosc, PlaylistaUndo.begin() + 1);
    // A restore takes only these back: a longer list snapshotted before
    // leaves nothing behind.
    PlaylistaUndo.Przytnij(size_t(ilosc));
    StanPlaylistyUndo = StanPlaylisty;
    PlaylistaZbiorUndo = PlaylistaZbior;
    PlaylistaNazwaUndo = PlaylistaNazwa;
    UndoJest = true;
    UndoOperacja = operacja;
}

bool PrzywrocUndoPlaylisty(bool pytaj) {
    if (!UndoJest)
        return false;
    if (pytaj && Decyzja(QStringLiteral("Ostatnia operacja:  ") + UndoOperacja,
                         QStringLiteral("Czy przywrócić playlistę?"), 2) != WynikTak)
        return false;
    // A restore cannot be undone, so the snapshot's elements may simply change
    // places with the playlist's. Elements the edit added past the restored
    // count are no longer part of the list and go back to their initial state.
    const int ilosc = iloscWTablicy(StanPlaylistyUndo.Ilosc);
    const int teraz = iloscWTablicy(StanPlaylisty.Ilosc);
    // The decks play on: each deck's element is found again by its identity
    // (a day's list repeats songs, and the deck must not take another copy).
    QList<quint64> naDekach;
    if (numeryGraczy.pobierz)
        for (qint32 numer : numeryGraczy.pobierz())
            naDekach << (numer >= 1 && numer <= teraz ? Playlista[numer].Tozsamosc.Numer : 0);
    std::swap_ranges(PlaylistaUndo.begin() + 1, PlaylistaUndo.begin() + 1 + ilosc, Playlista.begin() + 1);
    for (int i = ilosc + 1; i <= teraz; ++i) InitElemPListy(Playlista[i]);
    StanPlaylisty = StanPlaylistyUndo;
    PlaylistaZbior = PlaylistaZbiorUndo;
    PlaylistaNazwa = PlaylistaNazwaUndo;
    if (numeryGraczy.ustaw) {
        QList<qint32> numery;
        for (quint64 t : naDekach) numery << ElementOTozsamosci(t);
        numeryGraczy.ustaw(numery);
    }
    UndoJest = false;
    UndoOperacja.clear();
    return true;
}

void WyczyscPlayliste() {
    Playlista.Wyczysc();
    PlaylistaUndo.Wyczysc();
    InitElemPListy(ElemPListyRob);
    // The panel's name, rectangles and capacity are its layout, not its state.
    StanListy pusty = StanPlaylisty;
    pusty.Kursor = pusty.DoGrania = pusty.Ilosc = 0;
    pusty.Pierwszy = 1;
    StanPlaylisty = pusty;
    StanPlaylistyUndo = pusty;
    PlaylistaZbior.clear();
    PlaylistaNazwa = QStringLiteral("Nie_ma");
    PlaylistaZbiorUndo.clear();
    PlaylistaNazwaUndo.clear();
    UndoJest = false;
    UndoOperacja.clear();
}

// ------------------------------------------------------- element operations

void InitElemPListy(TElemPListy& e) { e = TElemPListy{}; }

void PoprawCzasyElemPListy(TElemPListy& e) {
    const qint32 trw = e.Trw;
    if (e.NwP < 0 || e.NwP > trw) e.NwP = 0;
    if (e.Int < 0 || e.Int > trw) e.Int = 0;
    if (e.FIn < e.NwP || e.FIn > trw) e.FIn = e.NwP;
    if (e.NwK <= e.NwP || e.NwK > trw) e.NwK = trw;
    if (e.FOu < e.FIn || e.FOu > e.NwK) e.FOu = e.NwK;
    if (e.Out < 1 || e.Out > trw) e.Out = e.NwK;
}

void ZamienElemPListy(int i, int j) {
    if (i < 0 || j < 0 || i > MaksPlaylisty || j > MaksPlaylisty)
        return;
    TElemPListy t = Playlista[i];
    Playlista[i] = Playlista[j];
    Playlista[j] = t;
}

quint8 RodzajElemPListy(quint8 typ) { return typ & 0x1F; }

namespace {

bool tytulDJ(const TElemPListy& e) { return charsFromTo(e.Tyt, 1, 2) == QLatin1String("DJ"); }
bool tytulAnimacja(const TElemPListy& e) { return upperPL(charsFromTo(e.Tyt, 1, 8)) == QLatin1String("ANIMACJA"); }

}  // namespace

bool CzyBreakZDzwiekiem(const TElemPListy& e) {
    return RodzajElemPListy(e.Typ) == RodzajBRK && e.Trw != 0 && !tytulDJ(e) && !tytulAnimacja(e);
}

bool CzyElemDzwiekowy(const TElemPListy& e) {
    switch (RodzajElemPListy(e.Typ)) {
    case RodzajSND:
    case RodzajREK:
    case RodzajJNG:
    case RodzajPRO:
    case RodzajSPO:
    case RodzajAUD:
    case RodzajSWE:
    case RodzajLOP:
    case RodzajEFE:
        return true;
    default:
        return CzyBreakZDzwiekiem(e);
    }
}

bool CzyElemMowiony(const TElemPListy& e) {
    const quint8 k = RodzajElemPListy(e.Typ);
    if (k == RodzajDJ_ || k == RodzajWHI)
        return true;
    return k == RodzajBRK && (tytulDJ(e) || tytulAnimacja(e) || e.Trw == 0);
}

bool CzyElemReklama(const TElemPListy& e) {
    return RodzajElemPListy(e.Typ) == (Emisja.CzyLista2LSTPromosy ? RodzajPRO : RodzajREK);
}

namespace {

const char* const kodyRodzajow[16] = {"",    "SND", "INF", "BRK", "ALR", "REK", "DJ_", "",
                                      "JNG", "PRO", "SPO", "AUD", "WHI", "SWE", "LOP", "EFE"};

}  // namespace

QString KodRodzaju(quint8 rodzaj) {
    return rodzaj < 16 ? QString::fromLatin1(kodyRodzajow[rodzaj]) : QString();
}

quint8 RodzajZKodu(QStringView kod) {
    if (kod.isEmpty())
        return 0;
    for (quint8 k = 1; k < 16; ++k)
        if (kod == QLatin1String(kodyRodzajow[k]))
            return k;
    return 0;
}

TColor KolorRodzaju(quint8 rodzaj, TColor inny) {
    switch (rodzaj) {
    case RodzajSND: return 0x800000;           // navy
    case RodzajINF: return KolorTlaPrzycisku;  // the window colour
    case RodzajBRK: return 0x008000;           // green
    case RodzajALR:
    case RodzajREK: return KolorCzerwony;
    case RodzajDJ_: return 0xFF0000;           // blue
    case RodzajJNG:
    case RodzajEFE: return 0x808000;           // teal
    case RodzajPRO: return 0x800080;           // purple
    case RodzajSPO: return 0xFF00FF;           // fuchsia
    case RodzajAUD: return 0x282828;           // dark grey
    case RodzajWHI: return 0x000080;           // maroon
    case RodzajSWE: return 0x008080;           // olive
    case RodzajLOP: return 0x1E69D2;           // orange
    default: return inny;
    }
}

TrimyRodzajow TrimyEmisji() {
    TrimyRodzajow t;
    t.Ustaw(RodzajSND, Emisja.Poziom0SND);
    t.Ustaw(RodzajREK, Emisja.Poziom0REK);
    t.Ustaw(RodzajDJ_, Emisja.Poziom0DJ_);
    t.Ustaw(RodzajJNG, Emisja.Poziom0JNG);
    t.Ustaw(RodzajEFE, Emisja.Poziom0JNG);
    t.Ustaw(RodzajPRO, Emisja.Poziom0PRO);
    t.Ustaw(RodzajSPO, Emisja.Poziom0SPO);
    t.Ustaw(RodzajAUD, Emisja.Poziom0AUD);
    t.Ustaw(RodzajWHI, Emisja.Poziom0WHI);
    t.Ustaw(RodzajSWE, Emisja.Poziom0SWE);
    t.Ustaw(RodzajLOP, Emisja.Poziom0LOP);
    return t;
}
