#include "console/engine/SerwisyEmisji.h"

#include <QDate>
#include <QScopeGuard>

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "console/engine/EdycjaPlaylisty.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/TrybyEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/Dialogi.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

namespace {

// What differs between the news and the programmes.
struct Opis {
    QString znacznikO;     // "#SERWIS O": the short form
    QString znacznikGrajO; // "#SERWIS GRAJ O"
    quint8 rodzaj;         // kind of the inserted sound
    int dlugoscO;          // title length of the short form with " hh:mm"
    QString pytanie;
    QString wstawienie;
    QString brak;
};

const Opis& opisRodzaju(bool audycja) {
    static const Opis serwis{QStringLiteral("#SERWIS O"),
                             QStringLiteral("#SERWIS GRAJ O"),
                             RodzajJNG,
                             15,
                             QStringLiteral("Czy wstawić Serwis?"),
                             QStringLiteral("Wstawienie dźwięku serwisu o "),
                             QStringLiteral("Brak dźwięku serwisu ")};
    static const Opis program{QStringLiteral("#AUDYCJA O"),
                              QStringLiteral("#AUDYCJA GRAJ O"),
                              RodzajAUD,
                              16,
                              QStringLiteral("Czy wstawić Audycję?"),
                              QStringLiteral("Wstawienie dźwięku audycji o "),
                              QStringLiteral("Brak dźwięku audycji ")};
    return audycja ? program : serwis;
}

bool wLiscie(qint32 n) {
    return n >= 1 && n <= StanPlaylisty.Ilosc;
}

QString wKatalogu(const QString& katalog, const QString& nazwa) {
    return katalog + QLatin1Char('\\') + nazwa;
}

// Where hh:mm stands in a marker's title (1-based): after the short form
// or after the "GRAJ O" form and its blank.
int pozycjaCzasu(const QString& tytul, const Opis& o) {
    return tytul.startsWith(o.znacznikO) ? o.dlugoscO - 4 : o.dlugoscO + 1;
}

// Two digits at `od` (1-based) within 0..max, else -1.
int liczba(const QString& t, int od, int max) {
    const QString s = charsFromTo(t, od, od + 1);
    if (s.size() != 2 || !s[0].isDigit() || !s[1].isDigit())
        return -1;
    const int v = s.toInt();
    return v <= max ? v : -1;
}

// The marker's hh:mm as ms of the day, or -1 when it is no valid time.
qint32 czasZnacznika(const QString& tytul, const Opis& o) {
    const int p = pozycjaCzasu(tytul, o);
    const int h = liczba(tytul, p, 23);
    const int m = liczba(tytul, p + 3, 59);
    if (h < 0 || m < 0 || charsFromTo(tytul, p + 2, p + 2) != QStringLiteral(":"))
        return -1;
    return (h * 60 + m) * 60'000;
}

// The signed distance from `od` to `do_` within a day, -12 h .. +12 h.
QString kluczElementu(const TElemPListy& e) { return e.Ide + QLatin1Char('\n') + e.Adr.str(); }

qint64 odleglosc(qint64 od, qint64 do_) {
    return ((do_ - od + DobaMs / 2) % DobaMs + DobaMs) % DobaMs - DobaMs / 2;
}

// The date of the marker's own air time: 00:00 seen at 23:58 is tomorrow's.
QDate dataZnacznika(qint32 czas) {
    const platform::Clock& zegar = platform::clock();
    const qint64 teraz = zegar.msOfDay();
    const qint64 o = teraz + odleglosc(teraz, czas);
    return zegar.date().addDays(o < 0 ? -1 : o >= DobaMs ? 1 : 0);
}

// The sound files tried for a marker, in order.
QStringList kandydaci(const QString& tytul, const Opis& o, bool audycja) {
    const QString katalog = audycja ? Emisja.AUDYCJAKatalog : Emisja.SERWISKatalog;
    const QString zapas = audycja ? Emisja.AUDYCJADzwiekNazwa : Emisja.SERWISDzwiekNazwa;
    QStringList p;
    const int dysk = int(tytul.indexOf(QStringLiteral(":\\")));
    const qint32 czas = czasZnacznika(tytul, o);
    if (dysk >= 1) {
        p << tytul.mid(dysk - 1);
    } else if (czas >= 0 && (tytul.size() == o.dlugoscO || tytul.size() == o.dlugoscO + 5)) {
        const QDate d = dataZnacznika(czas);
        const QString rrrr = d.toString(QStringLiteral("yyyy"));
        const QString mm = d.toString(QStringLiteral("MM"));
        const QString dd = d.toString(QStringLiteral("dd"));
        const QString data = Satelita.SatPLNazwaFormat == QStringLiteral("MMDDRRRR") ? mm + dd + rrrr : rrrr + mm + dd;
        const int poz = pozycjaCzasu(tytul, o);
        const QString hhmm = charsFromTo(tytul, poz, poz + 1) + charsFromTo(tytul, poz + 3, poz + 4);
        p << wKatalogu(katalog, data + QLatin1Char('_') + hhmm + QStringLiteral(".MP3"));
    }
    if (!audycja && czas >= 0) {
        const QString hh = charsFromTo(tytul, pozycjaCzasu(tytul, o), pozycjaCzasu(tytul, o) + 1);
        p << wKatalogu(katalog, QStringLiteral("N_") + dataZnacznika(czas).toString(QStringLiteral("yyyy-MM-dd")) +
                                    QLatin1Char('_') + hh + QStringLiteral(".MP3"));
    }
    if (!zapas.isEmpty())
        p << wKatalogu(katalog, zapas + QStringLiteral(".MP3"));
    return p;
}

// The name an element of the file is known by: the file name without its
// folder and extension.
QString nazwaPliku(const QString& adres) {
    QString n = adres.mid(int(qMax(adres.lastIndexOf(QLatin1Char('\\')), adres.lastIndexOf(QLatin1Char('/')))) + 1);
    const int kropka = int(n.lastIndexOf(QLatin1Char('.')));
    return kropka > 0 ? n.left(kropka) : n;
}

}  // namespace

SerwisyEmisji::SerwisyEmisji(SilnikEmisji& silnik, const TimeryKonsoli& timery) : silnik_(silnik), timery_(timery) {
    silnik_.UstawSerwisy(this);
}

SerwisyEmisji::~SerwisyEmisji() {
    silnik_.UstawSerwisy(nullptr);
}

void SerwisyEmisji::Powiadom(const QString& linia1, const QString& linia2) {
    if (TrybAKT) {
        Log(linia1 + QLatin1Char(' ') + linia2);
        return;
    }
    if (silnik_.Timer1Zajety)
        silnik_.Zapytaj({KomunikatEmisji::Informacja, linia1, linia2});
    else
        PokazInfo(linia1, linia2);
}

void SerwisyEmisji::WstawSerwis(qint32 n) {
    WstawZnacznik(n, !TrybAKT);
}

void SerwisyEmisji::WstawPoPytaniu(qint32 n, const QString& tytul) {
    // Asked once already; whether the sound went in meanwhile is checked again.
    if (wLiscie(n) && QString(Playlista[n].Tyt) == tytul)
        WstawZnacznik(n, false);
}

void SerwisyEmisji::WstawZnacznik(qint32 n, bool pytaj) {
    if (!wLiscie(n) || silnik_.Stan.CzytaniePlaylisty)
        return;
    const TElemPListy& e = Playlista[n];
    const QString tytul = e.Tyt;
    // A marker at the end has nothing after it yet.
    const TElemPListy* nast = n < StanPlaylisty.Ilosc ? &Playlista[n + 1] : nullptr;
    if (RodzajElemPListy(e.Typ) == RodzajBRK && tytul.startsWith(QStringLiteral("#SERWIS")) &&
        !(nast && QString(nast->Tyt).startsWith(QStringLiteral("#SERWIS"))))
        Wstaw(n, Rodzaj::Serwis, pytaj);
    // The programme element carries its marker's title: it is no marker.
    else if (tytul.startsWith(QStringLiteral("#AUDYCJA")) && RodzajElemPListy(e.Typ) != RodzajAUD &&
             !(nast && RodzajElemPListy(nast->Typ) == RodzajAUD))
        Wstaw(n, Rodzaj::Audycja, pytaj);
}

void SerwisyEmisji::Wstaw(qint32 n, Rodzaj rodzaj, bool pytaj) {
    const bool audycja = rodzaj == Rodzaj::Audycja;
    const Opis& o = opisRodzaju(audycja);
    const TElemPListy znacznik = Playlista[n];
    const QString tytul = znacznik.Tyt;
    if (pytaj) {
        if (silnik_.Timer1Zajety) {
            KomunikatEmisji k{KomunikatEmisji::PytanieSerwis, o.pytanie, tytul};
            k.element = n;
            silnik_.Zapytaj(k);
            return;
        }
        // A read finishing meanwhile closes the question: n is this list's.
        if (const TrzymanieListy trzymanie; Decyzja(o.pytanie, tytul, 2) != WynikTak)
            return;
    }

    const int poz = pozycjaCzasu(tytul, o);
    const QString hhmm = charsFromTo(tytul, poz, poz + 4);
    QString plik;
    for (const QString& p : kandydaci(tytul, o, audycja)) {
        plik = p;
        if (platform::fileExists(p))
            break;
    }

    // The file opens with its description; one that will not is missing.
    SygnalType s;
    s.Nazwa = nazwaPliku(plik);
    s.Adres = plik;
    OpisNagraniaTyp opis;
    if (!platform::fileExists(plik) || OtworzSygnal(s, true, opis) != 0) {
        silnik_.Komunikat = o.brak + hhmm + QStringLiteral(" -> ") + plik;
        silnik_.Wyjscia().OdswiezKomunikat();
        Log(silnik_.Komunikat);
        if (!TrybAKT)
            Powiadom(silnik_.Komunikat, tytul);
        return;
    }

    const qint32 kursor = StanPlaylisty.Kursor;
    StanPlaylisty.Kursor = n;
    const bool przedGrana = silnik_.KursorPrzedGranaPozycja();
    StanPlaylisty.Kursor = kursor;
    if (PlaylistaPelna()) {
        Powiadom(QStringLiteral("Brak pamięci"),
                 QStringLiteral("Dopuszczalna liczba elementów: ") + QString::number(PojemnoscPlaylisty()));
        return;
    }
    if (przedGrana) {
        Powiadom(QStringLiteral("Nie można wstawiać elementu przed graną pozycją"), tytul);
        return;
    }

    TElemPListy e;
    InitElemPListy(e);
    e.Typ = o.rodzaj;
    e.Ide = s.Nazwa;
    e.Adr = plik;
    WypelnijElemZOpisu(e, opis, s);
    PoprawCzasyElemPListy(e);
    e.Tyt = tytul;
    e.Emi = znacznik.Emi;

    // The cursor goes to the marker for the insertion and back to its own
    // element after; the next mark and the decks keep theirs.
    const qint32 doGrania = StanPlaylisty.DoGrania;
    ZapiszUndoPlaylisty(QStringLiteral("Wstaw element"));
    StanPlaylisty.Kursor = n;
    WstawRekordPlaylisty(silnik_, e);
    StanPlaylisty.Kursor = kursor > n ? kursor + 1 : kursor;
    StanPlaylisty.DoGrania = doGrania > n ? doGrania + 1 : doGrania;
    silnik_.UstalNastepny(StanPlaylisty.DoGrania, ZmianaNastepnego::Edycja);
    silnik_.Wyjscia().OdswiezPlayliste();
    silnik_.Komunikat = o.wstawienie + hhmm + QStringLiteral(" -> ") + plik;
    silnik_.Wyjscia().OdswiezKomunikat();
    Log(silnik_.Komunikat);
}

qint32 SerwisyEmisji::CzasGrajO(qint32 n, Rodzaj rodzaj) const {
    const bool audycja = rodzaj == Rodzaj::Audycja;
    const Opis& o = opisRodzaju(audycja);
    const TElemPListy& e = Playlista[n];
    const QString t = e.Tyt;
    // The on-air loop asks this every tick: the presence worker answers for
    // the file, not the disk.
    if (RodzajElemPListy(e.Typ) != o.rodzaj || !t.startsWith(o.znacznikGrajO) || (e.Typ & TypZagrany) != 0 ||
        !silnik_.PlikElementu(n, e.Adr))
        return -1;
    for (quint8 s = 1; s <= 3; ++s)
        if (silnik_.Odtwarzacz[s].Element == n)
            return -1;
    const qint32 hhmm = czasZnacznika(t, o);
    if (hhmm < 0)
        return -1;
    // Seconds when the title has them: " hh:mm:ss".
    const int p = o.dlugoscO + 1 + 5;
    const int ss = charsFromTo(t, p, p) == QStringLiteral(":") ? liczba(t, p + 1, 59) : 0;
    return hhmm + qMax(0, ss) * 1000;
}

bool SerwisyEmisji::CzekaNaGodzine(qint32 n) const {
    return TrybAKT && Emisja.SERWISJest && wLiscie(n) &&
           (CzasGrajO(n, Rodzaj::Serwis) >= 0 || CzasGrajO(n, Rodzaj::Audycja) >= 0);
}

void SerwisyEmisji::GrajO(Rodzaj rodzaj, qint64 teraz) {
    const qint32 kursor = StanPlaylisty.Kursor;
    if (wLiscie(kursor) && RodzajElemPListy(Playlista[kursor].Typ) == RodzajREK)
        return;
    const qint64 doba = teraz % DobaMs;
    const qint64 spoznienie = qint64(Emisja.SERWISGrajOMarginesS) * 1000;
    // Due now: within the late margin, or passed since the last tick (a
    // whole-second clock and a busy window may skip the very second).
    auto doGrania = [&](qint32 czas) {
        const qint64 r = odleglosc(doba, czas);
        if (r > 0)
            return false;
        return r >= -spoznienie || (poprzedniTik_ >= 0 && teraz + r > poprzedniTik_);
    };

    // 2. The first timed item up to just after the cursor and the next mark,
    // not yet late, becomes the cursor and the next to play; one that went
    // in behind them is found too, so it is never passed over (an item that
    // aired or is on a deck is not looked at again).
    const qint32 mark = StanPlaylisty.DoGrania;
    const qint32 do_ = qMin(StanPlaylisty.Ilosc, qMax(kursor, mark) + Emisja.SERWISUstawDoGraniaMarginesPozycjiNum);
    for (qint32 i = 1; i <= do_; ++i) {
        const qint32 czas = CzasGrajO(i, rodzaj);
        if (czas < 0)
            continue;
        const qint64 r = odleglosc(doba, czas);
        if (r > qint64(Emisja.SERWISUstawDoGraniaMarginesS) * 1000 || (r < -spoznienie && !doGrania(czas)))
            continue;
        if (StanPlaylisty.Kursor != i || StanPlaylisty.DoGrania != i) {
            // Taken back behind the next mark: what was next comes after it.
            if (wLiscie(mark) && i < mark) powrot_ = kluczElementu(Playlista[mark]);
            StanPlaylisty.Kursor = i;
            silnik_.UstalNastepny(i, ZmianaNastepnego::Zegar);
            silnik_.Wyjscia().OdswiezPlayliste();
        }
        break;
    }

    // 3. The next to play starts when it is due and its file is on neither deck.
    const qint32 n = StanPlaylisty.DoGrania;
    if (!wLiscie(n))
        return;
    const qint32 czas = CzasGrajO(n, rodzaj);
    if (czas < 0 || !doGrania(czas))
        return;
    const QString adres = Playlista[n].Adr;
    for (quint8 s = 1; s <= 2; ++s)
        if (silnik_.Odtwarzacze().OdtwarzaczIstnieje(s) && silnik_.Odtwarzacze().PlikOdtwarzacza(s) == adres)
            return;
    silnik_.GrajKolejny(0, TrybNastepny, ZrodloProg);
    bool naDeku = false;
    for (quint8 s = 1; s <= 3; ++s) naDeku = naDeku || (silnik_.SlotZajety(s) && silnik_.Odtwarzacz[s].Element == n);
    if (!powrot_.isEmpty() && naDeku) {
        // What aired between the item and the old mark does not air again.
        for (qint32 i = n + 1; i <= StanPlaylisty.Ilosc; ++i)
            if (kluczElementu(Playlista[i]) == powrot_) {
                if (StanPlaylisty.DoGrania < i) {
                    StanPlaylisty.Kursor = i;
                    silnik_.UstalNastepny(i, ZmianaNastepnego::Zegar);
                }
                break;
            }
        powrot_.clear();
        silnik_.Wyjscia().OdswiezPlayliste();
    }
}

void SerwisyEmisji::SERWISTimerTimer() {
    if (zajety_)
        return;
    // One tick at a time, however it ends.
    zajety_ = true;
    const auto zwolnij = qScopeGuard([this] { zajety_ = false; });
    const qint64 teraz = platform::clock().date().toJulianDay() * DobaMs + timery_.TerazMS;
    // A playlist being read is not changed under the reader.
    if (silnik_.Stan.TrybAutomat && TrybAKT && Emisja.SERWISJest && !silnik_.Stan.CzytaniePlaylisty) {
        // 1. Markers from just before the cursor to the search depth.
        const qint32 kursor = StanPlaylisty.Kursor;
        const qint32 ostatni = kursor + qMax(1, Emisja.SERWISSzukajPozycjiNum);
        for (qint32 i = qMax(1, kursor - 1); i <= ostatni && i <= StanPlaylisty.Ilosc; ++i)
            WstawSerwis(i);
        // A mark taken back for a timed item that is no longer next is forgotten.
        if (!CzekaNaGodzine(StanPlaylisty.DoGrania)) powrot_.clear();
        GrajO(Rodzaj::Serwis, teraz);
        GrajO(Rodzaj::Audycja, teraz);
    }
    poprzedniTik_ = teraz;
}

void SerwisyEmisji::SerwisLabelClick() {
    if (!Emisja.SERWISJest)
        return;
    if (TrybAKT) {
        if (Decyzja(QStringLiteral("Czy wyłączyć tryb autoodczytu i grania Serwisów i Audycji?"), QString(), 2) !=
            WynikTak)
            return;
        TrybAKT = false;
        Log(QStringLiteral("Tryb #AKT wyłączony"));
    } else {
        if (Decyzja(QStringLiteral("Czy włączyć tryb autoodczytu i grania Serwisów i Audycji?"), QString(), 2) !=
            WynikTak)
            return;
        TrybAKT = true;
        Log(QStringLiteral("Tryb #AKT włączony"));
    }
}
